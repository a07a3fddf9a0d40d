#pragma once

#include "store/table_names.h"

#include <array>

namespace dbase {
class Table;
}

namespace store {

// The field index of each month of bedrijven (names::kMonths), January first. Throws the
// engine's "Field 'x' not found" for a table without them.
std::array<int, 12> monthFieldIndexes(dbase::Table& bedrijven);

} // namespace store
