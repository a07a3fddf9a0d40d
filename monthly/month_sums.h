#pragma once

#include "store/dbase/table.h"

#include <QStringList>
#include <array>

namespace monthly {

using MonthSums = std::array<double, 12>;

// The column sums of jan..dec over the bedrijven rows that the table presents (an empty month
// adds 0). The table's current row is the same before and after.
MonthSums geefsaldi(dbase::Table& bedrijven);

// The texts of the month-totals strip: an empty spacer cell, then the twelve sums as
// numfmt::formatSum writes them.
QStringList stripTexts(const MonthSums& sums);

} // namespace monthly
