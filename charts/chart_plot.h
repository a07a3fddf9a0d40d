#pragma once

#include "charts/chart_hooks.h"
#include "charts/series/chart_list.h"

#include <QColor>
#include <optional>
#include <qcustomplot.h>

namespace charts {

// What every chart widget shares: a bottom-to-top gradient behind a transparent plot area, no
// zoom or panning, value labels in the program's number format, a tooltip with label and value
// over a bar, and a context menu that saves the picture.
class ChartPlot : public QCustomPlot
{
    Q_OBJECT
public:
    ChartPlot(const QColor& gradientTop, QWidget* parent = nullptr);

    void setHooks(const ChartHooks& hooks) { m_hooks = hooks; }

    // Shows the chart's data (of the row of the chart list this widget draws) and replots.
    virtual void setData(const ChartData& data) = 0;

    enum class ImageFormat
    {
        Png,
        Pdf
    };
    // PDF for a name ending in ".pdf" (any case), else PNG.
    static ImageFormat formatOf(const QString& path);
    // Writes the chart at its current size to a file. Throws ChartError when the file cannot be
    // written.
    void saveTo(const QString& path, ImageFormat format);
    // "Afbeelding opslaan…": asks for a file name and saves there; nothing when cancelled.
    void saveImage();

    struct BarText
    {
        QString label;
        double value = 0.0;
    };
    // The bar under a point of the widget, if any.
    virtual std::optional<BarText> barAt(const QPointF& pos) const = 0;
    // The tooltip of a bar: its label and its value as the program writes amounts.
    static QString tooltipText(const BarText& bar);

    // Bars with a horizontal light-dark gradient, so that they read as cylinders.
    static QBrush cylinderBrush(const QColor& colour);

protected:
    // Fits the value axis to [low, high], always showing 0, with a little room above and below.
    void fitValueAxis(double low, double high);
    // The point of `bars` whose bar holds `pos` (inside it, not merely near), or nullptr.
    static const QCPBarsData* barHit(const QCPBars* bars, const QPointF& pos);
    bool event(QEvent* event) override;

private:
    void showMenu(const QPoint& pos);

    ChartHooks m_hooks;
};

} // namespace charts
