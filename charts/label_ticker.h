#pragma once

#include <functional>
#include <qcustomplot.h>

namespace charts {

// Ticks at whole keys 0 .. count-1 labelled by a function, only as many as the axis has room
// for: labels turned by 90 degrees stand one text height (and a small gap) apart, every k-th
// key getting one. The room is the width of the axis rectangle at the last layout.
class LabelTicker : public QCPAxisTicker
{
public:
    using LabelOf = std::function<QString(std::size_t)>;

    explicit LabelTicker(QCPAxis* axis) : m_axis(axis) {}

    void setLabels(std::size_t count, LabelOf labelOf);
    // The axis width that the last ticks were spaced for.
    int spacedForWidth() const { return m_spacedFor; }

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double) override { return 0; }
    QString getTickLabel(double tick, const QLocale&, QChar, int) override;
    QVector<double> createTickVector(double tickStep, const QCPRange& range) override;

private:
    QCPAxis* m_axis;
    std::size_t m_count = 0;
    LabelOf m_labelOf;
    int m_spacedFor = -1;
};

} // namespace charts
