#pragma once

#include <QtGlobal>

namespace dbase {
class Table;
}

namespace monthly {

// The sums of the amounts of the transactions a table presents: "Bij" adds the positive ones,
// "Af" the negative ones, "Saldo" all of them. Each amount counts as its whole number of cents,
// so the sums are exact: no "-0.30000000000000004" from adding -0.1 and -0.2.
struct AmountTotals
{
    qint64 inCents = 0;      // Bij
    qint64 outCents = 0;     // Af, zero or below
    qint64 balanceCents = 0; // Saldo
};

// Over the rows mutaties presents now (its filter in force); the cursor does not move. Requires
// an open table with a Bedrag field.
AmountTotals presentedAmountTotals(const dbase::Table& mutaties);

// An amount as its whole number of cents (rounded half away from zero).
qint64 centsOf(double amount);

// A sum in cents as the amount it stands for: the double nearest to the two-decimal number.
double euros(qint64 cents);

} // namespace monthly
