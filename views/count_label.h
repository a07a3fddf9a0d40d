#pragma once

class QLabel;

namespace dbase {
class Table;
}

namespace monthly {
struct AmountTotals;
}

namespace views {

// Writes the number of rows the table presents, in decimal, into a count label.
void showRecordCount(QLabel* label, const dbase::Table& table);

// The labels of the sums of the presented transactions ("Bij", "Af", "Saldo").
struct AmountLabels
{
    QLabel* in = nullptr;
    QLabel* out = nullptr;
    QLabel* balance = nullptr;
};

// Writes the sums in the program's number format, each coloured by its sign as the grid colours
// amounts (zero in the label's own colour).
void showAmountTotals(const AmountLabels& labels, const monthly::AmountTotals& totals);

} // namespace views
