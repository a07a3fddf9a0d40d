#include "charts/chart_window.h"

#include "charts/chart_plot.h"
#include "charts/chart_windows.h"
#include "charts/series/chart_list.h"

#include <QHideEvent>
#include <QShowEvent>
#include <QVBoxLayout>
#include <stdexcept>

namespace charts {
namespace {

const ChartEntry& entryNamed(const QString& name)
{
    const ChartEntry* entry = chartNamed(name);
    if (!entry || !chartWindowNamed(name))
        throw std::logic_error("a chart window for a chart that is not in the list");
    return *entry;
}

} // namespace

ChartWindow::ChartWindow(const QString& name, dbase::Table& table,
                         std::function<QStringList()> tickedYears, const ChartHooks& hooks,
                         QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window), m_entry(entryNamed(name)), m_table(table),
      m_tickedYears(std::move(tickedYears)), m_hooks(hooks), m_mainWindow(mainWindow)
{
    const ChartWindowEntry& window = *chartWindowNamed(name);
    setWindowTitle(m_entry.title);
    resize(window.clientSize);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    auto* layout = new QVBoxLayout(this);
    const QRect place = window.chartPlace;
    layout->setContentsMargins(place.left(), place.top(),
                               window.clientSize.width() - place.right() - 1,
                               window.clientSize.height() - place.bottom() - 1);
    m_plot = window.plot(this);
    m_plot->setHooks(hooks);
    layout->addWidget(m_plot);
}

void ChartWindow::FormShow()
{
    const QStringList ticked =
        m_entry.usesTickedYears && m_tickedYears ? m_tickedYears() : QStringList();
    ChartData data = m_entry.blank(ticked);
    guard::run(m_hooks.guard, [&] { data = m_entry.series(m_table, ticked); });
    m_plot->setData(data);
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
