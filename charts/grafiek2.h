#pragma once

#include "charts/chart_hooks.h"
#include "charts/chart_window.h"
#include "store/dbase/table.h"

#include <QStringList>
#include <functional>

namespace charts {

class MonthChart;

// The chart window comparing the selected relations per month, year against year (unit
// grafiek2).
class TForm3 : public ChartWindow
{
    Q_OBJECT
public:
    static constexpr QSize kClientSize{1016, 661};
    static constexpr QRect kChartPlace{2, 1, 1013, 659};

    // `tickedYears` gives the texts of the ticked entries of the year list, in list order.
    TForm3(dbase::Table& T2, std::function<QStringList()> tickedYears, const ChartHooks& hooks,
           QWidget* mainWindow);

    // Titles the bar series with the chart years, then charts the selected rows that bedrijven
    // presents; its cursor stays where it was. After a failing read the titles stand and the
    // series are empty.
    void FormShow() override;

    MonthChart* Chart1;

private:
    dbase::Table& m_T2;
    std::function<QStringList()> m_tickedYears;
    ChartHooks m_hooks;
};

} // namespace charts
