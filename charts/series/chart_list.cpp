#include "charts/series/chart_list.h"

#include "charts/series/month_series.h"

namespace charts {
namespace {

ChartData transactionBars(dbase::Table& mutaties, const QStringList&)
{
    auto series = std::make_shared<TransactionSeries>();
    series->scan(mutaties);
    return {std::move(series), {}};
}

ChartData relationYears(dbase::Table& bedrijven, const QStringList& tickedYears)
{
    return {nullptr, relationYearSeries(bedrijven, chartYears(tickedYears))};
}

ChartData incomeAndExpenses(dbase::Table& bedrijven, const QStringList&)
{
    return {nullptr, incomeExpenseSeries(bedrijven)};
}

} // namespace

const std::vector<ChartEntry>& chartList()
{
    static const std::vector<ChartEntry> list = {
        {kTransactionsChart, ChartTable::Mutaties, false, transactionBars},
        {kRelationsChart, ChartTable::Bedrijven, true, relationYears},
        {kMonthsChart, ChartTable::Bedrijven, false, incomeAndExpenses},
    };
    return list;
}

const ChartEntry* chartNamed(const QString& name)
{
    for (const ChartEntry& entry : chartList())
        if (entry.name == name)
            return &entry;
    return nullptr;
}

} // namespace charts
