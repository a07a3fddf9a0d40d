#include "cli/chart_picture.h"

#include "charts/grafiek1.h"
#include "charts/grafiek2.h"
#include "charts/grafiek3.h"
#include "charts/month_chart.h"
#include "charts/transaction_chart.h"

#include <QApplication>

namespace cli {

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv, bool picture)
{
    if (!picture)
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

void renderChartPng(const ChartData& chart, const QString& file, QSize size)
{
    std::unique_ptr<charts::ChartPlot> plot;
    QSize windowSize;
    switch (chart.kind) {
    case ChartKind::Transactions: {
        auto transactions = std::make_unique<charts::TransactionChart>();
        transactions->setSeries(chart.transactions);
        plot = std::move(transactions);
        windowSize = charts::TForm2::kChartPlace.size();
        break;
    }
    case ChartKind::Relations:
        plot.reset(charts::createRelationYearChart());
        windowSize = charts::TForm3::kChartPlace.size();
        break;
    case ChartKind::Months:
        plot.reset(charts::createIncomeExpenseChart());
        windowSize = charts::TForm5::kChartPlace.size();
        break;
    }
    if (auto* months = qobject_cast<charts::MonthChart*>(plot.get()))
        months->setSeries(chart.months);
    plot->resize(size.isEmpty() ? windowSize : size);
    plot->saveTo(file, charts::ChartPlot::ImageFormat::Png);
}

} // namespace cli
