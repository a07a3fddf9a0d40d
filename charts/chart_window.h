#pragma once

#include <QRect>
#include <QWidget>

namespace charts {

// What the three chart windows share: caption, white face, hidden until shown, centred over
// the main window each time they open, one chart filling the window within fixed margins (so
// it grows and shrinks with it), and FormShow run at every change from hidden to visible. A
// window restored from the task bar keeps its place and its chart.
class ChartWindow : public QWidget
{
    Q_OBJECT
public:
    // The chart stands at `chartPlace` in a client area of `clientSize` and keeps its distance
    // to every edge when the window is resized.
    ChartWindow(QWidget* mainWindow, const QSize& clientSize, const QRect& chartPlace);

    // Rebuilds the chart from the tables as they present their rows now.
    virtual void FormShow() = 0;

protected:
    void setChart(QWidget* chart);
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* m_mainWindow;
    bool m_open = false; // shown and not closed since (minimised counts as open)
};

} // namespace charts
