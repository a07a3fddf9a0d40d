#include "charts/grafiek2.h"

#include "charts/month_chart.h"
#include "charts/series/chart_list.h"
#include "charts/series/month_series.h"

namespace charts {

TForm3::TForm3(dbase::Table& T2, std::function<QStringList()> tickedYears, const ChartHooks& hooks,
               QWidget* mainWindow)
    : ChartWindow(mainWindow, kClientSize, kChartPlace), Chart1(createRelationYearChart(this)),
      m_T2(T2), m_tickedYears(std::move(tickedYears)), m_hooks(hooks)
{
    Chart1->setHooks(hooks);
    setChart(Chart1);
}

void TForm3::FormShow()
{
    const QStringList ticked = m_tickedYears ? m_tickedYears() : QStringList();
    Chart1->setSeries(relationYearStyles(chartYears(ticked)));
    guard::run(m_hooks.guard, [&] {
        Chart1->setSeries(chartNamed(kRelationsChart)->series(m_T2, ticked).months);
    });
}

} // namespace charts
