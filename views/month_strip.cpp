#include "views/month_strip.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <algorithm>

namespace views {

namespace {

QTableWidget* stripCells(QWidget* parent)
{
    auto* cells = new QTableWidget(1, 1 + MonthStrip::kMonths, parent);
    cells->horizontalHeader()->setMinimumSectionSize(1); // the 2-pixel spacer
    cells->horizontalHeader()->hide();
    cells->verticalHeader()->hide();
    cells->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cells->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cells->setFrameShape(QFrame::NoFrame);
    cells->setShowGrid(false);
    cells->setEnabled(false);
    cells->setFocusPolicy(Qt::NoFocus);
    // Lines between cells only; the text keeps the grid's margin to the line on its right.
    cells->setStyleSheet(QStringLiteral(
        "QTableWidget { background-color: #FFCE9D; color: black; }"
        "QTableWidget::item { border-right: 1px solid #A0A0A0; padding-right: 1px; }"));
    for (int c = 0; c < cells->columnCount(); ++c) {
        auto* cell = new QTableWidgetItem;
        cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cells->setItem(0, c, cell);
    }
    cells->setColumnWidth(0, MonthStrip::kSpacerWidth);
    cells->setRowHeight(0, MonthStrip::kRowHeight);
    return cells;
}

} // namespace

MonthStrip::MonthStrip(QTableView* grid, int firstMonth, const QString& caption, QWidget* parent)
    : QWidget(parent), m_grid(grid), m_firstMonth(firstMonth), m_cells(stripCells(this)),
      m_caption(new QLabel(caption, this))
{
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_caption->adjustSize();
    setFixedHeight(std::max(kRowHeight, m_caption->height()));

    // Whatever moves a month column: a resized or scrolled column, or the grid itself moving or
    // changing size (its vertical scroll bar coming and going narrows the visible columns).
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, &MonthStrip::follow);
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, &MonthStrip::follow);
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
    if (parent)
        parent->installEventFilter(this);
    follow();
}

void MonthStrip::setTexts(const QStringList& texts)
{
    for (int c = 0; c < m_cells->columnCount(); ++c)
        m_cells->item(0, c)->setText(texts.value(c));
}

void MonthStrip::follow()
{
    QWidget* parent = parentWidget();
    if (!m_grid || !parent || parent->window() != m_grid->window())
        return;
    QWidget* window = parent->window();
    // This widget spans the grid's visible columns, so that it cuts off what scrolled out.
    const QWidget* viewport = m_grid->viewport();
    const QPoint origin = parent->mapFrom(window, viewport->mapTo(window, QPoint(0, 0)));
    setGeometry(origin.x(), y(), viewport->width(), height());

    int width = kSpacerWidth;
    for (int m = 0; m < kMonths; ++m) {
        const int columnWidth = m_grid->columnWidth(m_firstMonth + m);
        m_cells->setColumnWidth(1 + m, columnWidth);
        width += columnWidth;
    }
    const int left = m_grid->columnViewportPosition(m_firstMonth) - kSpacerWidth;
    m_cells->setGeometry(left, height() - kRowHeight, width, kRowHeight);
    m_caption->move(left - m_caption->width() - 6, (height() - m_caption->height()) / 2);
}

bool MonthStrip::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        follow();
    return QWidget::eventFilter(watched, event);
}

} // namespace views
