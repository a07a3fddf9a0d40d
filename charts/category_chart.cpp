#include "charts/category_chart.h"

#include "charts/series/series_texts.h"
#include "store/table_names.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace charts {

namespace {
constexpr double kBarWidth = 0.7; // of a month slot
}

CategoryChart::CategoryChart(QWidget* parent) : ChartPlot(QColor(0xE9, 0xE9, 0xE9), parent)
{
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    for (std::size_t m = 0; m < store::names::kMonths.size(); ++m)
        ticker->addTick(double(m), store::names::kMonths[m]);
    xAxis->setTicker(ticker);
    xAxis->setRange(-0.5, 11.5);

    plotLayout()->insertRow(0);
    QFont bold = font();
    bold.setBold(true);
    m_title = new QCPTextElement(this, texts::kCategoriesChartTitle, bold);
    plotLayout()->addElement(0, 0, m_title);

    legend->setVisible(true);
    legend->setBorderPen(QPen(QColor(0xB0, 0xB0, 0xB0)));
    // Beside the plot, top aligned, at the size of its entries.
    axisRect()->insetLayout()->take(legend);
    auto* place = new QCPLayoutGrid;
    place->setMargins(QMargins(4, 4, 4, 4));
    plotLayout()->addElement(1, 1, place);
    plotLayout()->setColumnStretchFactor(1, 0.001);
    place->addElement(0, 0, legend);
    place->addElement(1, 0, new QCPLayoutElement(this));
    place->setRowStretchFactors({0.001, 1.0});
    setSeries({});
}

void CategoryChart::setSeries(const std::vector<Series>& series)
{
    for (QCPBars* bars : m_bars)
        removePlottable(bars);
    m_bars.clear();
    legend->clearItems();
    std::array<double, 12> tops{};
    QCPBars* below = nullptr;
    for (const Series& s : series) {
        auto* bars = new QCPBars(xAxis, yAxis);
        bars->setName(s.title);
        bars->setWidthType(QCPBars::wtPlotCoords);
        bars->setWidth(kBarWidth);
        bars->setPen(QPen(Qt::white, 0.5));
        bars->setBrush(cylinderBrush(QColor::fromRgb(QRgb(s.colour))));
        QVector<double> keys, values;
        for (std::size_t i = 0; i < s.points.size() && i < tops.size(); ++i) {
            keys.append(double(i));
            values.append(s.points[i].value);
            tops[i] += s.points[i].value;
        }
        bars->setData(keys, values, true);
        if (below)
            bars->moveAbove(below);
        below = bars;
        m_bars.push_back(bars);
    }
    // The legend reads top down as the parts stand: the last series on top.
    for (auto it = m_bars.rbegin(); it != m_bars.rend(); ++it)
        (*it)->addToLegend();
    legend->setVisible(!m_bars.empty());
    const QString label = series.empty() || series.front().points.empty()
                              ? QString()
                              : series.front().points.front().label.left(4);
    m_title->setText(label.isEmpty() ? texts::kCategoriesChartTitle
                                     : texts::kCategoriesChartTitle + u" "_s + label);
    fitValueAxis(0.0, *std::max_element(tops.begin(), tops.end()));
    replot();
}

std::optional<ChartPlot::BarText> CategoryChart::barAt(const QPointF& pos) const
{
    for (QCPBars* bars : m_bars) {
        const QCPBarsData* point = barHit(bars, pos);
        if (!point || point->value == 0.0)
            continue;
        return BarText{bars->name() + u", "_s + store::names::kMonths[std::size_t(point->key)],
                       point->value};
    }
    return std::nullopt;
}

} // namespace charts
