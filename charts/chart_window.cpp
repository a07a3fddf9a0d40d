#include "charts/chart_window.h"

#include "views/texts.h"

namespace charts {

ChartWindow::ChartWindow(QWidget* mainWindow, const QSize& clientSize)
    : QWidget(nullptr, Qt::Window), m_mainWindow(mainWindow)
{
    setWindowTitle(views::texts::kChartTitle);
    resize(clientSize);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void ChartWindow::showEvent(QShowEvent* event)
{
    if (m_mainWindow) {
        QRect frame = geometry();
        frame.moveCenter(m_mainWindow->geometry().center());
        move(frame.topLeft());
    }
    QWidget::showEvent(event);
}

} // namespace charts
