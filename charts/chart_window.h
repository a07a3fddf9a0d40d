#pragma once

#include <QWidget>

namespace charts {

// What the three chart windows share: caption, white face, hidden until shown, and centred over
// the main window each time they open.
class ChartWindow : public QWidget
{
    Q_OBJECT
public:
    ChartWindow(QWidget* mainWindow, const QSize& clientSize);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* m_mainWindow;
};

} // namespace charts
