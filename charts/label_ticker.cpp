#include "charts/label_ticker.h"

#include <QFontMetrics>
#include <cmath>

namespace charts {

namespace {

constexpr int kGap = 4; // pixels between two turned labels

} // namespace

void LabelTicker::setLabels(std::size_t count, LabelOf labelOf)
{
    m_count = count;
    m_labelOf = std::move(labelOf);
}

double LabelTicker::getTickStep(const QCPRange& range)
{
    m_spacedFor = m_axis->axisRect()->width();
    const int pitch = QFontMetrics(m_axis->tickLabelFont()).height() + kGap;
    const double fit = std::max(1, m_spacedFor / pitch);
    return std::max(1.0, std::ceil((range.size() + 1.0) / fit));
}

QVector<double> LabelTicker::createTickVector(double tickStep, const QCPRange& range)
{
    QVector<double> ticks;
    if (m_count == 0)
        return ticks;
    const double last = std::min(std::floor(range.upper), double(m_count - 1));
    for (double key = std::max(0.0, std::ceil(range.lower / tickStep) * tickStep); key <= last;
         key += tickStep)
        ticks.append(key);
    return ticks;
}

QString LabelTicker::getTickLabel(double tick, const QLocale&, QChar, int)
{
    if (!m_labelOf || tick < 0 || tick >= double(m_count))
        return {};
    return m_labelOf(static_cast<std::size_t>(tick));
}

} // namespace charts
