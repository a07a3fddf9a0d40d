#pragma once

#include "charts/chart_plot.h"
#include "charts/series/chart_list.h"

#include <QSize>
#include <QString>
#include <memory>

namespace charts {

// The window side of a row of the chart list: the chart widget its window shows, with the
// chart's data, and the size the chart has there.
struct ChartWindowSpec
{
    QString name; // the row of chartList()
    QSize size;
    std::unique_ptr<ChartPlot> (*plot)(const ChartData& data);
};

// The spec of the chart of that name; nullptr when there is none.
const ChartWindowSpec* chartWindowNamed(const QString& name);

} // namespace charts
