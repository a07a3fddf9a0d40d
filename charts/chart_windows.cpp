#include "charts/chart_windows.h"

#include "charts/balance_chart.h"
#include "charts/category_chart.h"
#include "charts/month_chart.h"
#include "charts/transaction_chart.h"

#include <vector>

namespace charts {
namespace {

const std::vector<ChartWindowEntry>& chartWindows()
{
    static const std::vector<ChartWindowEntry> list = {
        {kTransactionsChart,
         {1016, 661},
         {2, 2, 1013, 658},
         [](QWidget* parent) -> ChartPlot* { return new TransactionChart(parent); }},
        {kRelationsChart,
         {1016, 661},
         {2, 1, 1013, 659},
         [](QWidget* parent) -> ChartPlot* { return createRelationYearChart(parent); }},
        {kMonthsChart,
         {1016, 695},
         {0, 0, 1014, 692},
         [](QWidget* parent) -> ChartPlot* { return createIncomeExpenseChart(parent); }},
        {kBalanceChart,
         {1016, 661},
         {2, 2, 1013, 658},
         [](QWidget* parent) -> ChartPlot* { return new BalanceChart(parent); }},
        {kCategoriesChart,
         {1016, 661},
         {2, 2, 1013, 658},
         [](QWidget* parent) -> ChartPlot* { return new CategoryChart(parent); }},
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
