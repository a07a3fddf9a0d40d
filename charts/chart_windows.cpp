#include "charts/chart_windows.h"

#include "charts/grafiek1.h"
#include "charts/grafiek2.h"
#include "charts/grafiek3.h"
#include "charts/month_chart.h"
#include "charts/transaction_chart.h"

#include <vector>

namespace charts {
namespace {

std::unique_ptr<ChartPlot> transactionPlot(const ChartData& data)
{
    auto chart = std::make_unique<TransactionChart>();
    chart->setSeries(data.transactions);
    return chart;
}

std::unique_ptr<ChartPlot> monthPlot(MonthChart* chart, const ChartData& data)
{
    chart->setSeries(data.months);
    return std::unique_ptr<ChartPlot>(chart);
}

const std::vector<ChartWindowEntry>& chartWindows()
{
    static const std::vector<ChartWindowEntry> list = {
        {kTransactionsChart, TForm2::kChartPlace.size(), transactionPlot},
        {kRelationsChart, TForm3::kChartPlace.size(),
         [](const ChartData& data) { return monthPlot(createRelationYearChart(), data); }},
        {kMonthsChart, TForm5::kChartPlace.size(),
         [](const ChartData& data) { return monthPlot(createIncomeExpenseChart(), data); }},
    };
    return list;
}

} // namespace

const ChartWindowEntry* chartWindowNamed(const QString& name)
{
    for (const ChartWindowEntry& entry : chartWindows())
        if (entry.name == name)
            return &entry;
    return nullptr;
}

} // namespace charts
