#pragma once

#include "charts/series/chart_list.h"

#include <QCoreApplication>
#include <QSize>
#include <QString>
#include <memory>

// Pictures of the charts for `kolvaro-cli chart --png`: the windows' own chart widgets, drawn
// offscreen. Builds without the windows have none and say so.
namespace cli {

// The application object for this run: an offscreen QApplication when the command line asks for
// a picture (no display needed), else a QCoreApplication.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv, bool picture);

// Writes the chart `name` of the chart list as its window draws it to a PNG file, at `size` or,
// when that is empty, at the size the chart has in its window. Throws when the file cannot be
// written.
void renderChartPng(const QString& name, const charts::ChartData& chart, const QString& file,
                    QSize size);

} // namespace cli
