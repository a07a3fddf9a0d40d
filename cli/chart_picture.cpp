#include "cli/chart_picture.h"

#include "charts/chart_windows.h"

#include <QApplication>
#include <stdexcept>

namespace cli {

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv, bool picture)
{
    if (!picture)
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

void renderChartPng(const QString& name, const charts::ChartData& chart, const QString& file,
                    QSize size)
{
    const charts::ChartWindowEntry* window = charts::chartWindowNamed(name);
    if (!window)
        throw std::logic_error("a chart without a window");
    const std::unique_ptr<charts::ChartPlot> plot(window->plot(nullptr));
    plot->setData(chart);
    plot->resize(size.isEmpty() ? window->chartPlace.size() : size);
    plot->saveTo(file, charts::ChartPlot::ImageFormat::Png);
}

} // namespace cli
