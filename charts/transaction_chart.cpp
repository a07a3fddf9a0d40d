#include "charts/transaction_chart.h"

#include "charts/label_ticker.h"
#include "charts/transaction_bars.h"

#include <algorithm>

namespace charts {

namespace {

QCPGraph* addLine(QCustomPlot* plot, Rgb colour)
{
    QCPGraph* line = plot->addGraph();
    line->setPen(QPen(QColor::fromRgb(static_cast<QRgb>(colour)), 2));
    line->setLineStyle(QCPGraph::lsLine);
    return line;
}

} // namespace

TransactionChart::TransactionChart(QWidget* parent)
    : ChartPlot(QColor(0xE5, 0xE5, 0xE5), parent), m_bars(new TransactionBars(xAxis, yAxis)),
      m_outgoingLine(addLine(this, TransactionSeries::kOutgoingLine)),
      m_incomingLine(addLine(this, TransactionSeries::kIncomingLine)),
      m_ticker(new LabelTicker(xAxis))
{
    xAxis->setTicker(m_ticker);
    xAxis->setTickLabelRotation(-90);
    setSeries(nullptr);
}

void TransactionChart::setSeries(std::shared_ptr<const TransactionSeries> series)
{
    const std::size_t n = series ? series->size() : 0;
    QVector<double> keys(qsizetype(n), 0.0);
    for (std::size_t i = 0; i < n; ++i)
        keys[qsizetype(i)] = double(i);
    auto column = [n](const std::vector<double>& values) {
        return QVector<double>(values.begin(), values.begin() + qsizetype(n));
    };
    m_outgoingLine->setData(keys, series ? column(series->outgoingAverage) : QVector<double>(),
                            true);
    m_incomingLine->setData(keys, series ? column(series->incomingAverage) : QVector<double>(),
                            true);
    if (series)
        m_ticker->setLabels(n, [s = series.get()](std::size_t i) { return s->label(i); });
    else
        m_ticker->setLabels(0, nullptr);
    m_bars->setSeries(series);

    // The bars fill the axis from edge to edge.
    xAxis->setRange(-0.5, n > 0 ? double(n) - 0.5 : 0.5);
    const double high =
        n > 0 ? *std::max_element(series->values.begin(), series->values.end()) : 0.0;
    fitValueAxis(0.0, high);
    replot();
}

const TransactionSeries* TransactionChart::series() const
{
    return m_bars->series();
}

std::optional<ChartPlot::BarText> TransactionChart::barAt(const QPointF& pos) const
{
    const std::optional<std::size_t> i = m_bars->barAt(pos);
    if (!i)
        return std::nullopt;
    return BarText{series()->label(*i), series()->values[*i]};
}

void TransactionChart::updateLayout()
{
    QCustomPlot::updateLayout();
    // The date labels were spaced for the width before this layout; space them again for the
    // final width so that they never overlap.
    if (m_ticker->spacedForWidth() != axisRect()->width())
        QCustomPlot::updateLayout();
}

} // namespace charts
