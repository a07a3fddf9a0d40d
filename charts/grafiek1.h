#pragma once

#include "charts/chart_hooks.h"
#include "charts/chart_window.h"
#include "store/dbase/table.h"

namespace charts {

class TransactionChart;

// The chart window of the transactions (unit grafiek1): every transaction that mutaties
// presents as a bar, with the running means of the outgoing and the incoming amounts.
class TForm2 : public ChartWindow
{
    Q_OBJECT
public:
    static constexpr QSize kClientSize{1016, 661};
    static constexpr QRect kChartPlace{2, 2, 1013, 658};

    TForm2(dbase::Table& T1, const ChartHooks& hooks, QWidget* mainWindow);

    // Charts the presented transactions; afterwards mutaties stands on its last presented row.
    // A failing read is reported through the guard, and the chart shows the rows before it.
    void FormShow() override;

    TransactionChart* Chart1;

private:
    dbase::Table& m_T1;
    ChartHooks m_hooks;
};

} // namespace charts
