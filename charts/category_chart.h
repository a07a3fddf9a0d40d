#pragma once

#include "charts/chart_plot.h"
#include "charts/series/chart_series.h"

#include <vector>

namespace charts {

// The chart "Rubrieken per maand": per month one bar of the year's expenses, its parts the
// categories stacked in the order of the series (the largest at the bottom). The legend at the
// right lists them top to bottom as they stand; a title names the year.
class CategoryChart : public ChartPlot
{
    Q_OBJECT
public:
    explicit CategoryChart(QWidget* parent = nullptr);

    // The series of categoryMonthSeries(); replaces whatever the chart showed.
    void setSeries(const std::vector<Series>& series);
    void setData(const ChartData& data) override { setSeries(data.months); }

    // The part of a bar under the point: "<category>, <month>" and its amount.
    std::optional<BarText> barAt(const QPointF& pos) const override;

    const std::vector<QCPBars*>& bars() const { return m_bars; }
    QCPTextElement* title() const { return m_title; }

private:
    std::vector<QCPBars*> m_bars;
    QCPTextElement* m_title;
};

} // namespace charts
