#pragma once

#include "charts/chart_plot.h"
#include "charts/series/chart_list.h"

#include <QRect>
#include <QSize>
#include <QString>

namespace charts {

// The widget side of a row of the chart list: the chart widget its window shows and where it
// stands in the window. kolvaro-cli draws its pictures with the same widget at the same size.
struct ChartWindowEntry
{
    QString name;     // the row of chartList()
    QSize clientSize; // of the window as it opens
    QRect chartPlace; // of the chart in it; the chart keeps its distance to every edge
    ChartPlot* (*plot)(QWidget* parent); // without points
};

// The entry of the chart of that name; nullptr when there is none.
const ChartWindowEntry* chartWindowNamed(const QString& name);

} // namespace charts
