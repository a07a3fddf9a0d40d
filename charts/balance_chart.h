#pragma once

#include "charts/chart_plot.h"
#include "charts/series/chart_series.h"

#include <QDate>
#include <vector>

namespace charts {

// The chart "Saldo": the balance per day as a line over a date axis, broken where transactions
// are missing, with a red mark in each break. Tooltips name the date (or the gap's dates) and
// the amount.
class BalanceChart : public ChartPlot
{
    Q_OBJECT
public:
    explicit BalanceChart(QWidget* parent = nullptr);

    // The series of balanceSeries(): the line, then the gaps.
    void setSeries(const std::vector<Series>& series);
    void setData(const ChartData& data) override { setSeries(data.months); }

    std::optional<BarText> barAt(const QPointF& pos) const override;

    QCPGraph* line() const { return m_line; }
    QCPGraph* marks() const { return m_marks; }

private:
    QCPGraph* m_line;
    QCPGraph* m_marks;
    std::vector<QDate> m_days;                      // of the line's points (breaks excluded)
    std::vector<std::pair<QDate, QDate>> m_gapDays; // of the marks
    std::vector<double> m_missing;                  // of the marks
};

} // namespace charts
