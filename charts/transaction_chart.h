#pragma once

#include "charts/chart_plot.h"
#include "charts/series/transaction_series.h"

#include <memory>

namespace charts {

class LabelTicker;
class TransactionBars;

// The transaction chart: a bar per transaction, the two running means as lines over the same
// slots, no legend, the dates as vertical labels along the bottom axis (as many as fit).
class TransactionChart : public ChartPlot
{
    Q_OBJECT
public:
    explicit TransactionChart(QWidget* parent = nullptr);

    // Shows these points (none when null) and replots.
    void setSeries(std::shared_ptr<const TransactionSeries> series);
    void setData(const ChartData& data) override { setSeries(data.transactions); }
    const TransactionSeries* series() const;
    QCPGraph* outgoingLine() const { return m_outgoingLine; }
    QCPGraph* incomingLine() const { return m_incomingLine; }

    std::optional<BarText> barAt(const QPointF& pos) const override;

protected:
    void updateLayout() override;

private:
    TransactionBars* m_bars;
    QCPGraph* m_outgoingLine;
    QCPGraph* m_incomingLine;
    QSharedPointer<LabelTicker> m_ticker;
};

} // namespace charts
