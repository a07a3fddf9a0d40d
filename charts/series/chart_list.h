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

// The charts of the program, one row each: the windows and `kolvaro-cli chart` read their series
// from here, so that a new chart is a row, its series function and its window.
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

// The names of the rows, for the windows that show them.
inline const QString kTransactionsChart = QStringLiteral("transactions");
inline const QString kRelationsChart = QStringLiteral("relations");
inline const QString kMonthsChart = QStringLiteral("months");

struct ChartEntry
{
    QString name; // as kolvaro-cli names it
    ChartTable table;
    bool usesTickedYears; // the relations page's year list
    // The series over the rows the table presents.
    ChartData (*series)(dbase::Table& table, const QStringList& tickedYears);
};

const std::vector<ChartEntry>& chartList();
// The row of that name; nullptr when there is none.
const ChartEntry* chartNamed(const QString& name);

} // namespace charts
