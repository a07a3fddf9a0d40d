#pragma once

namespace dbase {
class Table;
}

namespace store {

// The sums of the amounts of the transactions a table presents: "Bij" adds the positive ones,
// "Af" the negative ones, "Saldo" all of them. Plain additions in presented order, no rounding.
struct AmountTotals
{
    double in = 0;      // Bij
    double out = 0;     // Af, zero or below
    double balance = 0; // Saldo
};

// Over the rows mutaties presents now (its filter in force); the cursor does not move. Requires
// an open table with a Bedrag field.
AmountTotals presentedAmountTotals(const dbase::Table& mutaties);

} // namespace store
