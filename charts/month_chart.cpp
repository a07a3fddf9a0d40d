#include "charts/month_chart.h"

#include "charts/series/month_series.h"
#include "store/table_names.h"

#include <algorithm>

namespace charts {

namespace {

constexpr double kGroupWidth = 0.95; // of a month slot, shared by the bar series

QColor colourOf(Rgb rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

} // namespace

MonthChart::MonthChart(const std::vector<Series>& styles, const QColor& gradientTop,
                       LegendPlace legendPlace, QWidget* parent)
    : ChartPlot(gradientTop, parent)
{
    const auto barCount = std::count_if(
        styles.begin(), styles.end(), [](const Series& s) { return s.kind == Series::Kind::Bars; });
    auto* group = new QCPBarsGroup(this);
    group->setSpacingType(QCPBarsGroup::stPlotCoords);
    group->setSpacing(0.0);
    for (const Series& style : styles) {
        const QColor colour = colourOf(style.colour);
        if (style.kind == Series::Kind::Bars) {
            auto* bars = new QCPBars(xAxis, yAxis);
            bars->setWidthType(QCPBars::wtPlotCoords);
            bars->setWidth(kGroupWidth / double(std::max<qsizetype>(barCount, 1)));
            bars->setPen(Qt::NoPen);
            bars->setBrush(cylinderBrush(colour));
            bars->setBarsGroup(group);
            m_bars.push_back(bars);
            m_plottables.push_back(bars);
        } else {
            QCPGraph* line = addGraph();
            line->setPen(QPen(colour, 2));
            line->setLineStyle(QCPGraph::lsLine);
            m_plottables.push_back(line);
        }
        m_plottables.back()->addToLegend();
    }

    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    for (std::size_t m = 0; m < store::names::kMonths.size(); ++m)
        ticker->addTick(double(m), store::names::kMonths[m]);
    xAxis->setTicker(ticker);
    xAxis->setRange(-0.5, 11.5);

    legend->setVisible(true);
    legend->setBorderPen(QPen(QColor(0xB0, 0xB0, 0xB0)));
    // Beside the plot (top aligned) or above it (centred), at the size of its entries: the
    // empty elements around it take the rest of the room.
    axisRect()->insetLayout()->take(legend);
    auto* place = new QCPLayoutGrid;
    place->setMargins(QMargins(4, 4, 4, 4));
    if (legendPlace == LegendPlace::Right) {
        plotLayout()->addElement(0, 1, place);
        plotLayout()->setColumnStretchFactor(1, 0.001);
        place->addElement(0, 0, legend);
        place->addElement(1, 0, new QCPLayoutElement(this));
        place->setRowStretchFactors({0.001, 1.0});
    } else {
        plotLayout()->insertRow(0);
        plotLayout()->addElement(0, 0, place);
        plotLayout()->setRowStretchFactor(0, 0.001);
        legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
        place->addElement(0, 0, new QCPLayoutElement(this));
        place->addElement(0, 1, legend);
        place->addElement(0, 2, new QCPLayoutElement(this));
        place->setColumnStretchFactors({1.0, 0.001, 1.0});
    }
    setSeries(styles);
}

void MonthChart::setSeries(const std::vector<Series>& series)
{
    double low = 0.0, high = 0.0;
    for (std::size_t s = 0; s < m_plottables.size() && s < series.size(); ++s) {
        QVector<double> keys, values;
        for (std::size_t i = 0; i < series[s].points.size(); ++i) {
            keys.append(double(i));
            values.append(series[s].points[i].value);
            low = std::min(low, values.back());
            high = std::max(high, values.back());
        }
        m_plottables[s]->setName(series[s].title);
        if (auto* bars = qobject_cast<QCPBars*>(m_plottables[s]))
            bars->setData(keys, values, true);
        else
            static_cast<QCPGraph*>(m_plottables[s])->setData(keys, values, true);
    }
    fitValueAxis(low, high);
    replot();
}

std::optional<ChartPlot::BarText> MonthChart::barAt(const QPointF& pos) const
{
    for (QCPBars* bars : m_bars) {
        const QCPBarsData* point = barHit(bars, pos);
        if (!point)
            continue;
        return BarText{store::names::kMonths[std::size_t(point->key)], point->value};
    }
    return std::nullopt;
}

MonthChart* createRelationYearChart(QWidget* parent)
{
    return new MonthChart(relationYearStyles(chartYears({})), QColor(0xE9, 0xE9, 0xE9),
                          MonthChart::LegendPlace::Right, parent);
}

MonthChart* createIncomeExpenseChart(QWidget* parent)
{
    return new MonthChart(incomeExpenseStyles(), QColor(0xE2, 0xE2, 0xE2),
                          MonthChart::LegendPlace::Top, parent);
}

} // namespace charts
