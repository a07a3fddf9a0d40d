#include "help/uitleg.h"

namespace help {

TForm4::TForm4(const QString& tablesFolder, QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      m_tablesFolder(tablesFolder), m_mainWindow(mainWindow)
{
    // The help window's own texts live here: it is below the layer of the main window's texts.
    setWindowTitle(QStringLiteral("Help (uitleg)"));
    setFixedSize(486, 613);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void TForm4::showEvent(QShowEvent* event)
{
    if (m_mainWindow) {
        QRect frame = geometry();
        frame.moveCenter(m_mainWindow->geometry().center());
        move(frame.topLeft());
    }
    QWidget::showEvent(event);
}

} // namespace help
