#pragma once

#include "charts/series/transaction_series.h"

#include <memory>
#include <optional>
#include <qcustomplot.h>

namespace charts {

// One bar per transaction at keys 0, 1, 2 ..., each 70 % of its slot wide, in its own colour.
// Where bars are too narrow to draw one by one, each pixel column shows the tallest bar of each
// colour in it (the taller behind the shorter), so a million bars cost a pass over the values
// and a few thousand rectangles.
class TransactionBars : public QCPAbstractPlottable
{
    Q_OBJECT
public:
    static constexpr double kWidth = 0.7; // of a slot

    TransactionBars(QCPAxis* keyAxis, QCPAxis* valueAxis);

    void setSeries(std::shared_ptr<const TransactionSeries> series);
    const TransactionSeries* series() const { return m_series.get(); }

    // The bar drawn at a widget pixel: in a crowded column the tallest one there.
    std::optional<std::size_t> barAt(const QPointF& pos) const;

    double selectTest(const QPointF& pos, bool onlySelectable,
                      QVariant* details = nullptr) const override;
    QCPRange getKeyRange(bool& foundRange,
                         QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    // Indices of the bars that reach into the key interval [from, to].
    std::pair<std::size_t, std::size_t> barsBetween(double from, double to) const;
    void drawEach(QCPPainter* painter, std::size_t begin, std::size_t end) const;
    void drawColumns(QCPPainter* painter, std::size_t begin, std::size_t end) const;

    std::shared_ptr<const TransactionSeries> m_series;
};

} // namespace charts
