// kolvaro-cli built without the windows (KOLVARO_GUI off): series only, no pictures.
#include "cli/chart_picture.h"

#include <stdexcept>

namespace cli {

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv, bool)
{
    return std::make_unique<QCoreApplication>(argc, argv);
}

void renderChartPng(const QString&, const charts::ChartData&, const QString&, QSize)
{
    throw std::runtime_error("kolvaro-cli was built without the windows: --png is not available");
}

} // namespace cli
