#pragma once

#include "charts/chart_window.h"

namespace charts {

// The chart window of the transactions.
class TForm2 : public ChartWindow
{
    Q_OBJECT
public:
    explicit TForm2(QWidget* mainWindow) : ChartWindow(mainWindow, QSize(1016, 661)) {}
};

} // namespace charts
