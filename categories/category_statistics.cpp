#include "categories/category_statistics.h"

#include "categories/transaction_rows.h"
#include "store/dbase/update_blocker.h"

namespace categories {

std::vector<CategoryRuleStatistics> categoryRuleStatistics(dbase::Table& mutaties,
                                                           const relations::GroupResolver& groups,
                                                           const CategoryResolver& categories)
{
    std::vector<CategoryRuleStatistics> statistics(categories.rules().size());
    const TransactionRows rows(mutaties, groups, &categories);
    const dbase::UpdateBlocker block(mutaties);
    const dbase::FilterLift all(mutaties);
    const int count = mutaties.recordCount();
    for (int r = 0; r < count; ++r) {
        const dbase::RowView row = mutaties.rowAt(r);
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
