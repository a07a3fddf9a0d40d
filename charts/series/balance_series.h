#pragma once

#include "charts/series/chart_series.h"

#include <vector>

namespace dbase {
class Table;
}

// The chart "Saldo": the bank's balance per day over the presented transactions.
namespace charts {

// Series 1, a line: one point per day with presented transactions that have balances, labelled
// with the date (YYYY-MM-DD), the balance after the day's last transaction in the bank's order.
// Series 2, the gaps within those days: per gap a point labelled "<last date before>/<first
// date after>" with the missing amount; the line breaks there. The gaps are those of every
// stored row.
std::vector<Series> balanceSeries(const dbase::Table& mutaties);
// Their titles and colours without points.
std::vector<Series> balanceStyles();

} // namespace charts
