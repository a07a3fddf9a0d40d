#pragma once

#include "charts/series/chart_series.h"

#include <QStringList>
#include <vector>

namespace categories {
class CategoryIndex;
}
namespace dbase {
class Table;
}

// The chart "Rubrieken per maand": the expenses of one year per category and month, as stacked
// bars.
namespace charts {

// The largest categories that get a bar series of their own; the rest share one.
inline constexpr int kCategoriesShown = 8;

// One bar series per category among the kCategoriesShown with the largest expenses of the year
// (largest first), then "Overige rubrieken" with the others when there are any. Each series has
// twelve points labelled "YYYY-MM" holding the expenses of that month (negative amounts, without
// sign, in euros). Own transfers are left out while `leaveOutOwn` is on. No series when the year
// has no expenses.
std::vector<Series> categoryMonthSeries(const categories::CategoryIndex& index, int year,
                                        bool leaveOutOwn);

// The year the chart shows: the first of the given years that is a number, else the newest year
// with transactions (0 when there is none).
int categoryChartYear(const categories::CategoryIndex& index, const QStringList& givenYears);

// The same over the tables folder of `mutaties`: its group and category rules and own accounts
// as stored beside it, every stored transaction whatever the filter presents.
std::vector<Series> categoryMonthSeries(dbase::Table& mutaties, const QStringList& givenYears);

} // namespace charts
