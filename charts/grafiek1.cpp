#include "charts/grafiek1.h"

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
    auto series = std::make_shared<TransactionSeries>();
    guard::run(m_hooks.guard, [&] { series->scan(m_T1); });
    Chart1->setSeries(std::move(series));
}

} // namespace charts
