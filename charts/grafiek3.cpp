#include "charts/grafiek3.h"

#include "charts/month_chart.h"
#include "charts/series/chart_list.h"
#include "charts/series/month_series.h"

namespace charts {

TForm5::TForm5(dbase::Table& T2, const ChartHooks& hooks, QWidget* mainWindow)
    : ChartWindow(mainWindow, kClientSize, kChartPlace), Chart1(createIncomeExpenseChart(this)),
      m_T2(T2), m_hooks(hooks)
{
    Chart1->setHooks(hooks);
    setChart(Chart1);
}

void TForm5::FormShow()
{
    Chart1->setSeries(incomeExpenseStyles());
    guard::run(m_hooks.guard,
               [&] { Chart1->setSeries(chartNamed(kMonthsChart)->series(m_T2, {}).months); });
}

} // namespace charts
