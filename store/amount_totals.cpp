#include "store/amount_totals.h"

#include "store/dbase/engine_error.h"
#include "store/dbase/table.h"
#include "store/table_names.h"

namespace store {

AmountTotals presentedAmountTotals(const dbase::Table& mutaties)
{
    const int bedrag = mutaties.fieldIndex(names::kBedrag);
    if (bedrag < 0)
        throw dbase::EngineError(QStringLiteral("Field '%1' not found").arg(names::kBedrag));
    AmountTotals totals;
    const int count = mutaties.recordCount();
    for (int r = 0; r < count; ++r) {
        const double amount = mutaties.rowAt(r).asFloat(bedrag);
        if (amount > 0)
            totals.in += amount;
        else if (amount < 0)
            totals.out += amount;
        totals.balance += amount;
    }
    return totals;
}

} // namespace store
