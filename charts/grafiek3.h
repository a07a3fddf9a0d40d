#pragma once

#include "charts/chart_hooks.h"
#include "charts/chart_window.h"
#include "store/dbase/table.h"

namespace charts {

class MonthChart;

// The chart window of the monthly income and expenses (unit grafiek3).
class TForm5 : public ChartWindow
{
    Q_OBJECT
public:
    static constexpr QSize kClientSize{1016, 695};
    static constexpr QRect kChartPlace{0, 0, 1014, 692};

    TForm5(dbase::Table& T2, const ChartHooks& hooks, QWidget* mainWindow);

    // Charts the month totals of every row that bedrijven presents; its cursor stays where it
    // was. After a failing read the series are empty.
    void FormShow() override;

    MonthChart* Chart1;

private:
    dbase::Table& m_T2;
    ChartHooks m_hooks;
};

} // namespace charts
