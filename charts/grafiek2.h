#pragma once

#include "charts/chart_window.h"

namespace charts {

// The chart window comparing marked relations per month, year against year.
class TForm3 : public ChartWindow
{
    Q_OBJECT
public:
    explicit TForm3(QWidget* mainWindow) : ChartWindow(mainWindow, QSize(1016, 661)) {}
};

} // namespace charts
