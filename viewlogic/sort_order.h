#pragma once

#include "viewlogic/cell_text.h"

#include <vector>

namespace dbase {
class Table;
}

namespace views {

// The positions of the rows a table presents (0 .. recordCount() - 1), ordered by the values of
// one field as a grid column shows it: numbers, amounts and dates by value, flags unset before
// set, texts by the system locale's collation ignoring case. Empty fields come first. Rows with
// equal values keep the table's own order, also when descending. The table's cursor does not
// move.
std::vector<int> sortedPositions(const dbase::Table& table, int field, Display display,
                                 bool descending);

} // namespace views
