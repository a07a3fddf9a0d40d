#include "charts/chart_window.h"

#include "views/texts.h"

#include <QHideEvent>
#include <QShowEvent>
#include <QVBoxLayout>

namespace charts {

ChartWindow::ChartWindow(QWidget* mainWindow, const QSize& clientSize, const QRect& chartPlace)
    : QWidget(nullptr, Qt::Window), m_mainWindow(mainWindow)
{
    setWindowTitle(views::texts::kChartTitle);
    resize(clientSize);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(chartPlace.left(), chartPlace.top(),
                               clientSize.width() - chartPlace.right() - 1,
                               clientSize.height() - chartPlace.bottom() - 1);
}

void ChartWindow::setChart(QWidget* chart)
{
    layout()->addWidget(chart);
}

void ChartWindow::showEvent(QShowEvent* event)
{
    // A spontaneous show is the system restoring a window that was visible all along; a window
    // un-minimised by the program may announce itself as shown again, yet it was never closed.
    if (!event->spontaneous() && !m_open) {
        m_open = true;
        if (m_mainWindow) {
            QRect frame = geometry();
            frame.moveCenter(m_mainWindow->geometry().center());
            move(frame.topLeft());
        }
        FormShow();
    }
    QWidget::showEvent(event);
}

void ChartWindow::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous() && !isMinimized())
        m_open = false;
    QWidget::hideEvent(event);
}

} // namespace charts
