#include "relations/month_totals.h"

#include "relations/relation_year.h"
#include "relations/transaction_groups.h"
#include "store/dbase/update_blocker.h"
#include "store/month_fields.h"
#include "store/table_names.h"

#include <array>

namespace relations {

using namespace store::names;

void fillMonthTotals(dbase::Table& mutaties, dbase::Table& bedrijven, const GroupResolver* groups)
{
    const dbase::UpdateBlocker blockBedrijven(bedrijven);
    const dbase::UpdateBlocker blockMutaties(mutaties);

    const std::array<int, 12> monthField = store::monthFieldIndexes(bedrijven);

    // All resets are stored before the first credit, so the totals do not depend on what the
    // rows held before.
    for (bedrijven.first(); !bedrijven.eof(); bedrijven.next()) {
        bedrijven.edit();
        for (const int field : monthField)
            bedrijven.field(field).setAsFloat(0.0);
        bedrijven.post();
    }

    const TransactionGroups group(mutaties, groups);
    const dbase::Field datum = mutaties.fieldByName(kDatum);
    const dbase::Field bedrag = mutaties.fieldByName(kBedrag);
    for (mutaties.first(); !mutaties.eof(); mutaties.next()) {
        const QDate date = datum.asDate();
        if (!date.isValid() || !zoekrelatiejaar(bedrijven, group.groupOfCurrent(), yearText(date)))
            continue;
        dbase::Field month =
            bedrijven.field(monthField[static_cast<std::size_t>(date.month() - 1)]);
        bedrijven.edit();
        month.setAsFloat(month.asFloat() + bedrag.asFloat());
        bedrijven.post();
    }
    bedrijven.flush();
}

} // namespace relations
