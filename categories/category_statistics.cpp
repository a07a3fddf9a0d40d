#include "categories/category_statistics.h"

#include "categories/transaction_rows.h"

namespace categories {

std::vector<CategoryRuleStatistics> categoryRuleStatistics(dbase::Table& mutaties,
                                                           const relations::GroupResolver& groups,
                                                           const CategoryResolver& categories)
{
    std::vector<CategoryRuleStatistics> statistics(categories.rules().size());
    const TransactionRows rows(mutaties, groups, &categories);
    const int count = mutaties.storedRowCount();
    for (int r = 0; r < count; ++r) {
        const dbase::RowView row = mutaties.storedRowAt(r);
        const CategoryTexts texts = rows.textsWithGroup(row);
        const std::vector<int> matching = categories.allMatches(texts);
        const bool own = categories.ownAccounts().matches(texts.reknum);
        for (std::size_t i = 0; i < matching.size(); ++i) {
            CategoryRuleStatistics& rule = statistics[std::size_t(matching[i] - 1)];
            if (i == 0 && !own) {
                ++rule.transactions;
                rule.cents += rows.cents(row);
            } else {
                ++rule.shadowed;
            }
        }
    }
    return statistics;
}

} // namespace categories
