#pragma once

#include "charts/chart_plot.h"
#include "charts/series/chart_list.h"

#include <QSize>
#include <QString>
#include <memory>

namespace charts {

// The window side of a row of the chart list: the chart widget its window shows, with the
// chart's data, and the size the chart has there.
struct ChartWindowEntry
{
    QString name; // the row of chartList()
    QSize size;
    std::unique_ptr<ChartPlot> (*plot)(const ChartData& data);
};

// The entry of the chart of that name; nullptr when there is none.
const ChartWindowEntry* chartWindowNamed(const QString& name);

} // namespace charts
