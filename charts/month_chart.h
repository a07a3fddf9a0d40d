#pragma once

#include "charts/chart_plot.h"
#include "charts/series/chart_series.h"

#include <vector>

namespace charts {

// A chart of twelve month slots labelled with the month names: its bar series stand side by
// side within a slot, together 95 % of it wide; its lines run through the slot centres. The
// legend lists every series with its title and colour.
class MonthChart : public ChartPlot
{
    Q_OBJECT
public:
    enum class LegendPlace
    {
        Right,
        Top
    };

    // The styles fix each series' kind and colour for good (their points are ignored).
    MonthChart(const std::vector<Series>& styles, const QColor& gradientTop,
               LegendPlace legendPlace, QWidget* parent = nullptr);

    // Shows the series' titles and points (in the order of the styles) and replots. Series
    // without points show none.
    void setSeries(const std::vector<Series>& series);
    void setData(const ChartData& data) override { setSeries(data.months); }

    std::optional<BarText> barAt(const QPointF& pos) const override;

    // The plottable of each series, in the order of the styles.
    const std::vector<QCPAbstractPlottable*>& plottables() const { return m_plottables; }

private:
    std::vector<QCPAbstractPlottable*> m_plottables;
    std::vector<QCPBars*> m_bars;
};

// The chart of the relation year-comparison window (legend at the right) and of the monthly
// income and expenses window (legend on top), without points.
MonthChart* createRelationYearChart(QWidget* parent = nullptr);
MonthChart* createIncomeExpenseChart(QWidget* parent = nullptr);

} // namespace charts
