#pragma once

#include "charts/chart_hooks.h"

#include <QRect>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace dbase {
class Table;
}

namespace charts {

struct ChartEntry;
class ChartPlot;

// The window of any chart of the chart list: its title, white face, hidden until shown, centred
// over the main window each time it opens, its chart widget filling the window within fixed
// margins (so it grows and shrinks with it), and FormShow run at every change from hidden to
// visible. A window restored from the task bar keeps its place and its chart.
class ChartWindow : public QWidget
{
    Q_OBJECT
public:
    // The chart `name` of the list over `table` (the one its row names). `tickedYears` gives the
    // texts of the ticked entries of the year list, in list order, for a chart that uses them.
    ChartWindow(const QString& name, dbase::Table& table, std::function<QStringList()> tickedYears,
                const ChartHooks& hooks, QWidget* mainWindow);

    // Charts the rows the table presents now, with the ticks of now. A failing read is reported
    // through the guard and the chart shows its series without points.
    void FormShow();

    ChartPlot* plot() const { return m_plot; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const ChartEntry& m_entry;
    dbase::Table& m_table;
    std::function<QStringList()> m_tickedYears;
    ChartHooks m_hooks;
    ChartPlot* m_plot;
    QWidget* m_mainWindow;
    bool m_open = false; // shown and not closed since (minimised counts as open)
};

} // namespace charts
