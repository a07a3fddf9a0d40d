#include "relations/completion.h"

#include "relations/relation_year.h"
#include "relations/transaction_groups.h"
#include "store/dbase/update_blocker.h"
#include "store/table_names.h"

namespace relations {

using namespace store::names;

void completeRelations(dbase::Table& mutaties, dbase::Table& bedrijven, const GroupResolver* groups)
{
    const dbase::UpdateBlocker blockBedrijven(bedrijven);
    const dbase::UpdateBlocker blockMutaties(mutaties);
    const dbase::FilterLift allRelationYears(bedrijven);

    const TransactionGroups group(mutaties, groups);
    const dbase::Field datum = mutaties.fieldByName(kDatum);
    for (mutaties.first(); !mutaties.eof(); mutaties.next()) {
        // A row without a date cannot come from an import; it belongs to no year.
        const QDate date = datum.asDate();
        if (date.isValid())
            bijrelatie(bedrijven, group.groupOfCurrent(), yearText(date));
    }
    bedrijven.flush();
}

} // namespace relations
