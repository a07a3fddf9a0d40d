#include "charts/balance_chart.h"

#include "store/date_format.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace charts {
namespace {

constexpr double kNear = 8.0; // pixels from a point that still show its tooltip

double keyOf(const QDate& date)
{
    return QCPAxisTickerDateTime::dateTimeToKey(date);
}

} // namespace

BalanceChart::BalanceChart(QWidget* parent) : ChartPlot(QColor(0xE9, 0xE9, 0xE9), parent)
{
    m_line = addGraph();
    m_line->setPen(QPen(QColor(0x00, 0x00, 0x80), 2));
    m_line->setLineStyle(QCPGraph::lsLine);
    // A dot per day, so that a day alone between two gaps shows too.
    m_line->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, QColor(0x00, 0x00, 0x80), 5));
    m_marks = addGraph();
    m_marks->setLineStyle(QCPGraph::lsNone);
    m_marks->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssCross, QPen(Qt::red, 2), Qt::red, 12));
    auto ticker = QSharedPointer<QCPAxisTickerDateTime>::create();
    ticker->setDateTimeFormat(store::datefmt::shortDateFormat());
    ticker->setDateTimeSpec(Qt::UTC);
    xAxis->setTicker(ticker);
    xAxis->setTickLabelRotation(60);
    setSeries({});
}

void BalanceChart::setSeries(const std::vector<Series>& series)
{
    m_days.clear();
    m_gapDays.clear();
    m_missing.clear();
    if (!series.empty())
        for (const Point& p : series[0].points)
            m_days.push_back(QDate::fromString(p.label, Qt::ISODate));
    if (series.size() > 1)
        for (const Point& p : series[1].points) {
            const QStringList dates = p.label.split(u'/');
            m_gapDays.emplace_back(QDate::fromString(dates.value(0), Qt::ISODate),
                                   QDate::fromString(dates.value(1), Qt::ISODate));
            m_missing.push_back(p.value);
        }
    // A NaN point between the days around a gap breaks the line; the mark stands there, at the
    // balance before it.
    QVector<double> keys, values, markKeys, markValues;
    double low = 0.0, high = 0.0;
    std::size_t gap = 0;
    for (std::size_t i = 0; i < m_days.size(); ++i) {
        const double value = series[0].points[i].value;
        for (; gap < m_gapDays.size() && m_gapDays[gap].second <= m_days[i]; ++gap) {
            const double middle =
                (keyOf(m_gapDays[gap].first) + keyOf(m_gapDays[gap].second)) / 2.0;
            keys.append(middle);
            values.append(std::numeric_limits<double>::quiet_NaN());
            markKeys.append(middle);
            markValues.append(values.size() > 1 ? values[values.size() - 2] : value);
        }
        keys.append(keyOf(m_days[i]));
        values.append(value);
        low = std::min(low, value);
        high = std::max(high, value);
    }
    m_line->setData(keys, values, true);
    m_marks->setData(markKeys, markValues, true);
    if (keys.isEmpty())
        xAxis->setRange(keyOf(QDate::currentDate()) - 86400.0, keyOf(QDate::currentDate()));
    else
        xAxis->setRange(keys.front() - 43200.0, keys.back() + 43200.0);
    fitValueAxis(low, high);
    replot();
}

std::optional<ChartPlot::BarText> BalanceChart::barAt(const QPointF& pos) const
{
    const auto nearest = [&](const QCPGraph* graph) {
        int best = -1;
        double bestDistance = kNear;
        for (int i = 0; i < graph->dataCount(); ++i) {
            const auto point = graph->data()->at(i);
            if (std::isnan(point->value))
                continue;
            const double distance = std::hypot(xAxis->coordToPixel(point->key) - pos.x(),
                                               yAxis->coordToPixel(point->value) - pos.y());
            if (distance <= bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        return best;
    };
    using store::datefmt::formatShortDate;
    if (const int mark = nearest(m_marks); mark >= 0) {
        const auto& [before, after] = m_gapDays[std::size_t(mark)];
        return BarText{u"Ontbrekende boekingen tussen %1 en %2"_s.arg(formatShortDate(before),
                                                                      formatShortDate(after)),
                       m_missing[std::size_t(mark)]};
    }
    if (const int i = nearest(m_line); i >= 0) {
        const auto point = m_line->data()->at(i);
        return BarText{formatShortDate(QCPAxisTickerDateTime::keyToDateTime(point->key).date()),
                       point->value};
    }
    return std::nullopt;
}

} // namespace charts
