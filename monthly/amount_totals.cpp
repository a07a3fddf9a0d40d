#include "monthly/amount_totals.h"

#include "store/dbase/engine_error.h"
#include "store/dbase/table.h"
#include "store/table_names.h"

#include <cmath>

namespace monthly {

AmountTotals presentedAmountTotals(const dbase::Table& mutaties)
{
    const int bedrag = mutaties.fieldIndex(store::names::kBedrag);
    if (bedrag < 0)
        throw dbase::EngineError(QStringLiteral("Field '%1' not found").arg(store::names::kBedrag));
    AmountTotals totals;
    const int count = mutaties.recordCount();
    for (int r = 0; r < count; ++r) {
        const qint64 cents = centsOf(mutaties.rowAt(r).asFloat(bedrag));
        if (cents > 0)
            totals.inCents += cents;
        else if (cents < 0)
            totals.outCents += cents;
        totals.balanceCents += cents;
    }
    return totals;
}

qint64 centsOf(double amount)
{
    return std::llround(amount * 100);
}

double euros(qint64 cents)
{
    // One division rounds once: the result is the double nearest to cents / 100.
    return static_cast<double>(cents) / 100;
}

} // namespace monthly
