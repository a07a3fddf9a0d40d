#include "categories/own_transfers.h"

#include "monthly/amount_totals.h"
#include "relations/relation_year.h"
#include "store/dbase/update_blocker.h"
#include "store/table_names.h"

namespace categories {

OwnTransfers ownTransfers(dbase::Table& mutaties, const relations::GroupResolver& groups,
                          const OwnAccounts& own)
{
    OwnTransfers transfers;
    if (own.isEmpty())
        return transfers;
    using namespace store::names;
    const int datum = mutaties.fieldByName(kDatum).index();
    const int bedrag = mutaties.fieldByName(kBedrag).index();
    const int reknum = mutaties.fieldByName(kReknum).index();
    const int naam = mutaties.fieldByName(kNaam).index();
    const int omschrijving = mutaties.fieldByName(kOmschrijving).index();
    const dbase::UpdateBlocker block(mutaties);
    const dbase::FilterLift all(mutaties);
    const int count = mutaties.recordCount();
    for (int r = 0; r < count; ++r) {
        const dbase::RowView row = mutaties.rowAt(r);
        // Only the few own transfers need their texts and group.
        if (!own.matches(row.asString(reknum)))
            continue;
        const QDate date = row.asDate(datum);
        if (!date.isValid())
            continue;
        const QString group =
            groups.match({row.asString(naam), row.asString(omschrijving), row.asString(reknum)})
                .group;
        transfers[{group, relations::yearText(date)}][static_cast<std::size_t>(date.month() - 1)] +=
            monthly::centsOf(row.asFloat(bedrag));
    }
    return transfers;
}

} // namespace categories
