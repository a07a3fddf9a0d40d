#include "charts/transaction_bars.h"

#include "charts/chart_plot.h"

#include <algorithm>
#include <cmath>

namespace charts {

namespace {

constexpr double kHalf = TransactionBars::kWidth / 2;

QColor colourOf(Rgb rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

} // namespace

TransactionBars::TransactionBars(QCPAxis* keyAxis, QCPAxis* valueAxis)
    : QCPAbstractPlottable(keyAxis, valueAxis)
{
    setPen(Qt::NoPen);
    setSelectable(QCP::stNone);
    setAntialiasedFill(false);
}

void TransactionBars::setSeries(std::shared_ptr<const TransactionSeries> series)
{
    m_series = std::move(series);
}

std::pair<std::size_t, std::size_t> TransactionBars::barsBetween(double from, double to) const
{
    const double n = m_series ? static_cast<double>(m_series->size()) : 0.0;
    const double first = std::clamp(std::ceil(from - kHalf), 0.0, n);
    const double last = std::clamp(std::floor(to + kHalf) + 1.0, 0.0, n);
    return {static_cast<std::size_t>(first), static_cast<std::size_t>(std::max(first, last))};
}

std::optional<std::size_t> TransactionBars::barAt(const QPointF& pos) const
{
    QCPAxis* keys = keyAxis();
    QCPAxis* values = valueAxis();
    if (!m_series || !keys || !values || !keys->axisRect()->rect().contains(pos.toPoint()))
        return std::nullopt;
    const double a = keys->pixelToCoord(pos.x() - 0.5);
    const double b = keys->pixelToCoord(pos.x() + 0.5);
    const auto [begin, end] = barsBetween(std::min(a, b), std::max(a, b));
    if (begin >= end)
        return std::nullopt;
    std::size_t tallest = begin;
    for (std::size_t i = begin; i < end; ++i)
        if (m_series->values[i] > m_series->values[tallest])
            tallest = i;
    const double top = values->coordToPixel(m_series->values[tallest]);
    const double base = values->coordToPixel(0.0);
    if (pos.y() < std::min(top, base) - 0.5 || pos.y() > std::max(top, base) + 0.5)
        return std::nullopt;
    return tallest;
}

double TransactionBars::selectTest(const QPointF&, bool, QVariant*) const
{
    return -1; // the chart offers no selection
}

QCPRange TransactionBars::getKeyRange(bool& foundRange, QCP::SignDomain) const
{
    foundRange = m_series && m_series->size() > 0;
    return foundRange ? QCPRange(-kHalf, double(m_series->size()) - 1 + kHalf) : QCPRange();
}

QCPRange TransactionBars::getValueRange(bool& foundRange, QCP::SignDomain, const QCPRange&) const
{
    foundRange = m_series && m_series->size() > 0;
    if (!foundRange)
        return {};
    return QCPRange(0.0, *std::max_element(m_series->values.begin(), m_series->values.end()));
}

void TransactionBars::draw(QCPPainter* painter)
{
    QCPAxis* keys = keyAxis();
    if (!m_series || !keys || !valueAxis())
        return;
    const auto [begin, end] = barsBetween(keys->range().lower, keys->range().upper);
    if (begin >= end)
        return;
    painter->setPen(Qt::NoPen);
    painter->setAntialiasing(false);
    const double slot = std::abs(keys->coordToPixel(1.0) - keys->coordToPixel(0.0));
    if (slot * kWidth >= 3.0)
        drawEach(painter, begin, end);
    else
        drawColumns(painter, begin, end);
}

void TransactionBars::drawEach(QCPPainter* painter, std::size_t begin, std::size_t end) const
{
    const QBrush brushes[2] = {ChartPlot::cylinderBrush(colourOf(TransactionSeries::kIncoming)),
                               ChartPlot::cylinderBrush(colourOf(TransactionSeries::kOutgoing))};
    const double base = valueAxis()->coordToPixel(0.0);
    for (std::size_t i = begin; i < end; ++i) {
        const double key = static_cast<double>(i);
        const QPointF corner(keyAxis()->coordToPixel(key - kHalf),
                             valueAxis()->coordToPixel(m_series->values[i]));
        const QPointF opposite(keyAxis()->coordToPixel(key + kHalf), base);
        painter->setBrush(brushes[m_series->outgoing[i] ? 1 : 0]);
        painter->drawRect(QRectF(corner, opposite).normalized());
    }
}

void TransactionBars::drawColumns(QCPPainter* painter, std::size_t begin, std::size_t end) const
{
    QCPAxis* keys = keyAxis();
    QCPAxis* values = valueAxis();
    const QRect area = keys->axisRect()->rect();
    const int left = area.left();
    const int width = area.width();
    if (width <= 0)
        return;
    // The axes are linear: one multiplication per bar instead of an axis call.
    const double x0 = keys->coordToPixel(0.0);
    const double dx = keys->coordToPixel(1.0) - x0;

    // The tallest value of each colour per pixel column; -1 where there is none.
    std::vector<double> tallest[2] = {std::vector<double>(std::size_t(width), -1.0),
                                      std::vector<double>(std::size_t(width), -1.0)};
    const double half = std::abs(dx) * kHalf;
    for (std::size_t i = begin; i < end; ++i) {
        const double centre = x0 + dx * static_cast<double>(i);
        const int first = int(std::floor(centre - half));
        const int last = std::max(first, int(std::ceil(centre + half)) - 1);
        std::vector<double>& column = tallest[m_series->outgoing[i] ? 1 : 0];
        for (int c = std::max(first - left, 0); c <= std::min(last - left, width - 1); ++c)
            column[std::size_t(c)] = std::max(column[std::size_t(c)], m_series->values[i]);
    }

    const double base = values->coordToPixel(0.0);
    QVector<QRectF> behind[2], front[2];
    for (int c = 0; c < width; ++c) {
        const double in = tallest[0][std::size_t(c)], out = tallest[1][std::size_t(c)];
        if (in < 0.0 && out < 0.0)
            continue;
        const int taller = out > in ? 1 : 0;
        const double x = left + c;
        auto rect = [&](double value) {
            const double top = values->coordToPixel(value);
            return QRectF(QPointF(x, std::min(top, base)), QPointF(x + 1, std::max(top, base)));
        };
        behind[taller].append(rect(tallest[taller][std::size_t(c)]));
        if (tallest[1 - taller][std::size_t(c)] >= 0.0)
            front[1 - taller].append(rect(tallest[1 - taller][std::size_t(c)]));
    }
    const QColor colours[2] = {colourOf(TransactionSeries::kIncoming),
                               colourOf(TransactionSeries::kOutgoing)};
    for (const QVector<QRectF>* layer : {behind, front})
        for (int k = 0; k < 2; ++k) {
            painter->setBrush(colours[k]);
            painter->drawRects(layer[k]);
        }
}

void TransactionBars::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const
{
    painter->setPen(Qt::NoPen);
    painter->setBrush(colourOf(TransactionSeries::kOutgoing));
    painter->drawRect(rect);
}

} // namespace charts
