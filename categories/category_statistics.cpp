#include "categories/category_statistics.h"

#include "monthly/amount_totals.h"
#include "store/dbase/update_blocker.h"
#include "store/table_names.h"

namespace categories {

std::vector<CategoryRuleStatistics> categoryRuleStatistics(dbase::Table& mutaties,
                                                           const relations::GroupResolver& groups,
                                                           const CategoryResolver& categories)
{
    using namespace store::names;
    std::vector<CategoryRuleStatistics> statistics(categories.rules().size());
    const int bedrag = mutaties.fieldByName(kBedrag).index();
    const int naam = mutaties.fieldByName(kNaam).index();
    const int omschrijving = mutaties.fieldByName(kOmschrijving).index();
    const int reknum = mutaties.fieldByName(kReknum).index();
    const bool readOmschrijving = groups.uses(relations::RuleField::Omschrijving) ||
                                  categories.uses(CategoryField::Omschrijving);
    const dbase::UpdateBlocker block(mutaties);
    const dbase::FilterLift all(mutaties);
    const int count = mutaties.recordCount();
    for (int r = 0; r < count; ++r) {
        const dbase::RowView row = mutaties.rowAt(r);
        CategoryTexts texts;
        texts.naam = row.asString(naam);
        texts.reknum = row.asString(reknum);
        if (readOmschrijving)
            texts.omschrijving = row.asString(omschrijving);
        texts.groep = groups.match({texts.naam, texts.omschrijving, texts.reknum}).group;
        const std::vector<int> matching = categories.allMatches(texts);
        const bool own = categories.ownAccounts().matches(texts.reknum);
        for (std::size_t i = 0; i < matching.size(); ++i) {
            CategoryRuleStatistics& rule = statistics[std::size_t(matching[i] - 1)];
            if (i == 0 && !own) {
                ++rule.transactions;
                rule.cents += monthly::centsOf(row.asFloat(bedrag));
            } else {
                ++rule.shadowed;
            }
        }
    }
    return statistics;
}

} // namespace categories
