#pragma once

#include "charts/series/chart_series.h"
#include "store/dbase/table.h"

#include <QStringList>
#include <array>
#include <vector>

// The two month charts over bedrijven: twelve points per series, January first, labelled with
// the month names. Both read the rows the table presents and leave its cursor where it was.
namespace charts {

// The entries of the year list that picks the years of the relation year-comparison chart:
// "2006" .. "2030", ascending.
QStringList yearList();
// The same with every year that bedrijven holds outside 2006..2030 (a jaar of four digits),
// whatever its filter presents, the whole list ascending.
QStringList yearList(const dbase::Table& bedrijven);

// The relation year-comparison chart's years: the first three of the ticked year-list texts (in
// list order), each cut to four characters; "0000" for each of the three that no tick fills.
std::array<QString, 3> chartYears(const QStringList& tickedYears);

// The relation year-comparison chart: three bar series (titled with the chart years) holding per
// month the absolute sum of the selected rows of that year, then three lines "gemid" holding
// per month m the absolute running sum of months 1..m divided by m.
std::vector<Series> relationYearSeries(dbase::Table& bedrijven,
                                       const std::array<QString, 3>& years);

// The monthly income and expenses chart: "Uitgaven" (the sum of the negative month totals,
// without sign), "Inkomsten" (the sum of the totals of 0 or more) and the signed line
// "Gemiddeld", which starts at January's net total and then halves the sum of its previous
// value and each month's net total. While the tables folder lists own accounts and the switch to
// leave their transfers out is on, each row's month total is taken without its transfers to and
// from them (read from mutaties beside bedrijven).
std::vector<Series> incomeExpenseSeries(dbase::Table& bedrijven);

// The series' own settings (kind, title, colour) without points: what the windows show before
// and when the scan fails.
std::vector<Series> relationYearStyles(const std::array<QString, 3>& years);
std::vector<Series> incomeExpenseStyles();

} // namespace charts
