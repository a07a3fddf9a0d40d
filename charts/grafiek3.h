#pragma once

#include "charts/chart_window.h"

namespace charts {

// The chart window of the monthly income and expenses.
class TForm5 : public ChartWindow
{
    Q_OBJECT
public:
    explicit TForm5(QWidget* mainWindow) : ChartWindow(mainWindow, QSize(1016, 695)) {}
};

} // namespace charts
