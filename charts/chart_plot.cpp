#include "charts/chart_plot.h"

#include "charts/chart_error.h"
#include "store/number_format.h"
#include "viewlogic/texts.h"

#include <QFileInfo>
#include <QHelpEvent>
#include <QLinearGradient>
#include <QMenu>
#include <QToolTip>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace charts {

ChartPlot::ChartPlot(const QColor& gradientTop, QWidget* parent) : QCustomPlot(parent)
{
    // The chart's own font, the same as the program's dialog font, so that a picture rendered
    // without the program (kolvaro-cli) looks like the window.
    QFont font(u"Liberation Sans"_s);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    setFont(font);
    for (QCPAxis* axis : axisRect()->axes()) {
        axis->setTickLabelFont(font);
        axis->setLabelFont(font);
    }
    legend->setFont(font);

    setInteractions(QCP::iNone);
    setAutoAddPlottableToLegend(false);
    legend->setVisible(false);
    // Stretched over whatever rectangle is filled, so it follows the size of the window.
    QLinearGradient gradient(0, 1, 0, 0);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, gradientTop);
    setBackground(QBrush(gradient));
    axisRect()->setBackground(Qt::NoBrush);

    // The value axis speaks the program's number format: "." groups thousands, "," decimals.
    setLocale(QLocale(QLocale::Dutch, QLocale::Netherlands));
    yAxis->setNumberFormat(u"f"_s);
    yAxis->setNumberPrecision(0);
    xAxis->grid()->setVisible(false);
    xAxis->setSubTicks(false);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &ChartPlot::showMenu);
}

ChartPlot::ImageFormat ChartPlot::formatOf(const QString& path)
{
    return QFileInfo(path).suffix().compare(u"pdf"_s, Qt::CaseInsensitive) == 0 ? ImageFormat::Pdf
                                                                                : ImageFormat::Png;
}

void ChartPlot::saveTo(const QString& path, ImageFormat format)
{
    const bool saved = format == ImageFormat::Pdf ? savePdf(path, width(), height())
                                                  : savePng(path, width(), height());
    if (!saved)
        throw ChartError(u"Cannot create file %1"_s.arg(QDir::toNativeSeparators(path)));
}

void ChartPlot::saveImage()
{
    auto body = [this] {
        const QString path =
            m_hooks.getSaveFileName
                ? m_hooks.getSaveFileName(views::texts::kSaveImage, views::texts::kImageFileFilter)
                : QString();
        if (!path.isEmpty())
            saveTo(path, formatOf(path));
    };
    guard::run(m_hooks.guard, body);
}

void ChartPlot::showMenu(const QPoint& pos)
{
    QMenu menu(this);
    connect(menu.addAction(views::texts::kSaveImage), &QAction::triggered, this,
            &ChartPlot::saveImage);
    menu.exec(mapToGlobal(pos));
}

QString ChartPlot::tooltipText(const BarText& bar)
{
    return bar.label + u": "_s + store::numfmt::formatAmount(bar.value);
}

QBrush ChartPlot::cylinderBrush(const QColor& colour)
{
    // Per bar: the gradient spans the bounding box of each rectangle that is filled.
    QLinearGradient gradient(0, 0, 1, 0);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0.0, colour.darker(135));
    gradient.setColorAt(0.35, colour.lighter(145));
    gradient.setColorAt(1.0, colour.darker(150));
    return QBrush(gradient);
}

const QCPBarsData* ChartPlot::barHit(const QCPBars* bars, const QPointF& pos)
{
    QVariant details;
    if (bars->selectTest(pos, false, &details) < 0)
        return nullptr;
    const QCPDataSelection hit = details.value<QCPDataSelection>();
    if (hit.isEmpty())
        return nullptr;
    return &*bars->data()->at(hit.dataRange().begin());
}

void ChartPlot::fitValueAxis(double low, double high)
{
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (high - low <= 0.0)
        high = low + 1.0; // nothing to show: an axis from 0 to 1
    const double room = (high - low) * 0.05;
    yAxis->setRange(low < 0.0 ? low - room : 0.0, high + room);
    yAxis->setNumberPrecision(high - low < 10.0 ? 2 : 0);
}

bool ChartPlot::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QCustomPlot::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    if (const std::optional<BarText> bar = barAt(help->pos()))
        QToolTip::showText(help->globalPos(), tooltipText(*bar), this);
    else
        QToolTip::hideText();
    return true;
}

} // namespace charts
