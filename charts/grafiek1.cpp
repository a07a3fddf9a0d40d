#include "charts/grafiek1.h"

#include "charts/series/chart_list.h"
#include "charts/transaction_chart.h"

namespace charts {

TForm2::TForm2(dbase::Table& T1, const ChartHooks& hooks, QWidget* mainWindow)
    : ChartWindow(mainWindow, kClientSize, kChartPlace), Chart1(new TransactionChart(this)),
      m_T1(T1), m_hooks(hooks)
{
    Chart1->setHooks(hooks);
    setChart(Chart1);
}

void TForm2::FormShow()
{
    ChartData chart;
    guard::run(m_hooks.guard, [&] { chart = chartNamed(kTransactionsChart)->series(m_T1, {}); });
    Chart1->setSeries(chart.transactions ? chart.transactions
                                         : std::make_shared<TransactionSeries>());
}

} // namespace charts
