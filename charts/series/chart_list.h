#pragma once

#include "charts/series/chart_series.h"
#include "charts/series/transaction_series.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace dbase {
class Table;
}
namespace store {
class TDataModule1;
}

// The charts of the program, one row each. The chart windows, the main window's "Grafiek"
// buttons, `kolvaro-cli chart` and its usage texts all read this list; charts/chart_windows.cpp
// adds the widget side of each row under the same name.
namespace charts {

// What a chart draws: the transaction bars, or series of month values.
struct ChartData
{
    std::shared_ptr<const TransactionSeries> transactions;
    std::vector<Series> months;
};

enum class ChartTable
{
    Mutaties,  // the transactions, as the transactions page's filter presents them
    Bedrijven, // the relation-year rows, as the relations page's filter presents them
};

// The names of the rows, for the code that opens a particular chart.
inline const QString kTransactionsChart = QStringLiteral("transactions");
inline const QString kRelationsChart = QStringLiteral("relations");
inline const QString kMonthsChart = QStringLiteral("months");
inline const QString kBalanceChart = QStringLiteral("saldo");
inline const QString kCategoriesChart = QStringLiteral("rubrieken");

struct ChartEntry
{
    QString name;  // as kolvaro-cli names it
    QString title; // of its window
    ChartTable table;
    // The relations page's year list; for the categories chart the year chosen on its page.
    bool usesTickedYears;
    // The series over the rows the table presents.
    ChartData (*series)(dbase::Table& table, const QStringList& tickedYears);
    // What the window shows before the series are read and after reading them failed: the
    // series' own titles and colours without points.
    ChartData (*blank)(const QStringList& tickedYears);
};

const std::vector<ChartEntry>& chartList();
// The row of that name; nullptr when there is none.
const ChartEntry* chartNamed(const QString& name);
// The names of the rows in list order, joined by "|", as the usage texts list them.
QString chartNames();
// The table of the data module that the chart reads.
dbase::Table& chartTable(const ChartEntry& entry, store::TDataModule1& data);

} // namespace charts
