#pragma once

#include "charts/series/chart_series.h"
#include "charts/series/transaction_series.h"

#include <QCoreApplication>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

// Pictures of the charts for `kolvaro-cli chart --png`: the windows' own chart widgets, drawn
// offscreen. Builds without the windows have none and say so.
namespace cli {

enum class ChartKind
{
    Transactions,
    Relations,
    Months
};

struct ChartData
{
    ChartKind kind = ChartKind::Transactions;
    std::shared_ptr<const charts::TransactionSeries> transactions; // for Transactions
    std::vector<charts::Series> months;                            // for Relations and Months
};

// The application object for this run: an offscreen QApplication when the command line asks for
// a picture (no display needed), else a QCoreApplication.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv, bool picture);

// Writes the chart as its window draws it to a PNG file, at `size` or, when that is empty, at
// the size the chart has in its window. Throws when the file cannot be written.
void renderChartPng(const ChartData& chart, const QString& file, QSize size);

} // namespace cli
