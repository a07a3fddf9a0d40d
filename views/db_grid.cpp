#include "views/db_grid.h"

#include "store/table_names.h"
#include "store/transaction_kinds.h"
#include "viewlogic/row_export.h"
#include "views/cell_rules.h"
#include "views/cell_text_painter.h"
#include "views/kind_badges.h"
#include "views/row_indicator.h"
#include "views/table_model.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionViewItem>
#include <QToolTip>
#include <algorithm>
#include <optional>

namespace views {

namespace {

// The application's style, except that a plain cell's row panel is not asked for: the common
// styles draw nothing for a row that is neither selected nor alternate, yet Fusion works out its
// frame colours on every call, a twentieth of a page's paint.
class GridStyle : public QProxyStyle
{
public:
    GridStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_PanelItemViewRow) {
            const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
            if (item && !(item->state & State_Selected) &&
                !(item->features & QStyleOptionViewItem::Alternate))
                return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

} // namespace

GridDelegate::GridDelegate(const TableModel* model, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model)
{
}

GridDelegate::~GridDelegate() = default;

bool GridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                             const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || index.model() != m_model)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = m_model->cellView(index.row(), index.column()).text;
    const int room = option.rect.width() - 2 * kTextMargin;
    if (text.isEmpty() || QFontMetrics(option.font).horizontalAdvance(text) <= room) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(event->globalPos(), text, view, option.rect);
    return true;
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    if (index.model() != m_model) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // Cells are drawn directly from one read of the row: a grid repaints hundreds of them per
    // page, and the style's item drawing asks the model role by role and lays out every text.
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
    const TableModel::CellView cell = m_model->cellView(index.row(), index.column());
    // A ruled colour wins over the highlight text colour, so red and green stay visible.
    const QColor colour =
        cell.foreground.isValid()
            ? cell.foreground
            : option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    if (!cell.text.isEmpty()) {
        if (!m_text || m_text->font() != option.font)
            m_text = std::make_unique<CellTextPainter>(option.font);
        // The pen is left in the text colour: the view sets its own pens for what it draws
        // after the cells, and most neighbouring cells share a colour, so the raster engine
        // rarely has to take a new pen.
        painter->setPen(colour);
        m_text->draw(*painter, option.rect, option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0),
                     cell.rightAligned ? Qt::AlignRight : Qt::AlignLeft, cell.text);
    }
    const int k = cell.kind;
    if (k < store::kinds::kFirst || k > store::kinds::kLast)
        return; // only kind codes have a badge; other values show just their number
    const QRect square(option.rect.left(), option.rect.top(), option.rect.height(),
                       option.rect.height());
    painter->drawImage(square, imageList1()[std::size_t(k)]);
}

DbGrid::DbGrid(TableModel* model, QWidget* parent) : QTableView(parent), m_model(model)
{
    setModel(model);
    auto* style = new GridStyle;
    style->setParent(this);
    setStyle(style);
    setItemDelegate(new GridDelegate(model, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    // The view keeps a pixel per cell for the lines but does not draw them: paintGridLines does.
    setGridStyle(Qt::NoPen);
    setWordWrap(false);
    // Narrow columns (jaar is 29 pixels) clip their text rather than show an ellipsis.
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    setVerticalHeader(new RowIndicator(this));
    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(kRowHeight);
    rows->setDefaultSectionSize(kRowHeight);
    rows->setFixedWidth(kIndicatorWidth);

    QHeaderView* titles = horizontalHeader();
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setHighlightSections(false);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titles->setFixedHeight(kRowHeight + 2);
    titles->setSectionsClickable(true);
    titles->setSortIndicatorShown(false);
    connect(titles, &QHeaderView::sectionClicked, this, &DbGrid::titleClicked);
    // Style sheets on the headers only: on the whole view they would slow every cell's paint.
    titles->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; color: %2; font-weight: bold;"
                       " border: none; border-right: 1px solid %3; border-bottom: 1px solid %3;"
                       " padding-left: 2px; }"
                       "QHeaderView { background-color: %1; }")
            .arg(kFixedCellColour.name(), kTitleTextColour.name(), kFixedCellLineColour.name()));
    // The top-left cell is a fixed cell too; the view keeps it as a button of its own.
    if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        corner->setStyleSheet(
            QStringLiteral("QTableCornerButton::section { background-color: %1; border: none;"
                           " border-right: 1px solid %2; border-bottom: 1px solid %2; }")
                .arg(kFixedCellColour.name(), kFixedCellLineColour.name()));
    if (model->layout().blackText) {
        QPalette p = palette();
        p.setColor(QPalette::Text, Qt::black);
        setPalette(p);
    }
    applyColumnWidths();

    connect(model, &TableModel::currentRowChanged, this, &DbGrid::followTable);
    connect(model, &QAbstractItemModel::modelReset, this, &DbGrid::applyColumnWidths);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { moveTable(current); });
}

std::vector<int> DbGrid::shownPositions() const
{
    std::vector<int> positions(static_cast<std::size_t>(m_model->rowCount()));
    for (std::size_t r = 0; r < positions.size(); ++r)
        positions[r] = m_model->tablePosition(int(r));
    return positions;
}

std::vector<int> DbGrid::copiedPositions() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty() && currentIndex().isValid())
        rows.push_back(currentIndex().row());
    std::sort(rows.begin(), rows.end());
    for (int& row : rows)
        row = m_model->tablePosition(row);
    return rows;
}

QString DbGrid::copyText() const
{
    return clipboardText(m_model->table(), m_model->layout(), copiedPositions());
}

void DbGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        if (m_model->rowCount() > 0)
            QGuiApplication::clipboard()->setText(copyText());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DbGrid::titleClicked(int column)
{
    std::optional<Qt::SortOrder> next = Qt::AscendingOrder;
    if (m_model->sortColumn() == column)
        next = m_model->sortOrder() == Qt::AscendingOrder
                   ? std::optional<Qt::SortOrder>(Qt::DescendingOrder)
                   : std::nullopt;
    auto sort = [&] { m_model->sortBy(column, next); };
    guard::run(m_guard, sort);
    showSortIndicator();
    // The rows the user asked for start at the top ("the ten biggest"); the current row stays
    // where it is in the new order.
    scrollToTop();
}

void DbGrid::showSortIndicator()
{
    QHeaderView* titles = horizontalHeader();
    const int column = m_model->sortColumn();
    titles->setSortIndicatorShown(column >= 0);
    if (column >= 0)
        titles->setSortIndicator(column, m_model->sortOrder());
}

void DbGrid::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    QPainter painter(viewport());
    paintGridLines(painter, event->region());
}

void DbGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (dy != 0)
        alignTopRow();
}

void DbGrid::updateGeometries()
{
    QTableView::updateGeometries();
    alignTopRow();
}

void DbGrid::alignTopRow()
{
    // Scrolled to the end, the view lines the last row up with the bottom edge and so cuts the
    // top row in half under the titles. The scroll range already leaves room for the rows that
    // fit whole, so showing them from the top keeps the last row whole too.
    const QScrollBar* bar = verticalScrollBar();
    if (verticalScrollMode() != ScrollPerItem || bar->maximum() == 0 ||
        bar->value() != bar->maximum())
        return;
    QHeaderView* rows = verticalHeader();
    const int top = rows->sectionPosition(rows->logicalIndex(bar->value()));
    if (rows->offset() == top)
        return;
    rows->setOffset(top);
    viewport()->update();
}

void DbGrid::paintGridLines(QPainter& painter, const QRegion& region)
{
    // The lines QTableView draws (a solid one-pixel line under every row and after every column,
    // over the painted area), as filled rectangles: its pen draws a long line pixel by pixel,
    // which took a tenth of a page's paint.
    const QHeaderView* rows = verticalHeader();
    const QHeaderView* columns = horizontalHeader();
    if (rows->count() == 0 || columns->count() == 0)
        return;
    const bool rightToLeft = isRightToLeft();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor colour =
        QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    const int extent = columns->length() - columns->offset() - (rightToLeft ? 0 : 1);
    const int bottom = rows->length() - rows->offset() - 1;
    for (QRect area : region) {
        area.setBottom(std::min(area.bottom(), bottom));
        if (rightToLeft)
            area.setLeft(std::max(area.left(), viewport()->width() - extent));
        else
            area.setRight(std::min(area.right(), extent));
        if (!area.isValid())
            continue;
        int first = rows->visualIndexAt(area.top());
        int last = rows->visualIndexAt(area.bottom());
        if (last == -1)
            last = rows->count() - 1;
        int left = columns->visualIndexAt(area.left());
        int rightColumn = columns->visualIndexAt(area.right());
        if (rightToLeft)
            std::swap(left, rightColumn);
        if (left == -1)
            left = 0;
        if (rightColumn == -1)
            rightColumn = columns->count() - 1;
        if (first == -1 || first > last)
            continue;
        for (int visual = first; visual <= last; ++visual) {
            const int row = rows->logicalIndex(visual);
            if (rows->isSectionHidden(row))
                continue;
            const int y = rowViewportPosition(row) + rowHeight(row) - 1;
            painter.fillRect(QRect(area.left(), y, area.width(), 1), colour);
        }
        for (int visual = left; visual <= rightColumn; ++visual) {
            const int column = columns->logicalIndex(visual);
            if (columns->isSectionHidden(column))
                continue;
            int x = columnViewportPosition(column);
            if (!rightToLeft)
                x += columnWidth(column) - 1;
            painter.fillRect(QRect(x, area.top(), 1, area.height()), colour);
        }
    }
}

void DbGrid::applyColumnWidths()
{
    const auto& columns = m_model->layout().columns;
    const int averageChar = fontMetrics().averageCharWidth();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        int width = columns[c].width;
        if (width == 0) {
            // No width of its own: the field's display width, at least the title's.
            const auto& field = columns[c].field;
            const int chars = field == store::names::kDatum ? 10 : 1;
            width = std::max(defaultColumnWidth(chars, averageChar),
                             fontMetrics().horizontalAdvance(columns[c].title) + 8);
        }
        setColumnWidth(int(c), width);
    }
}

void DbGrid::followTable(int position)
{
    if (position < 0 || position >= m_model->rowCount()) {
        return;
    }
    const int row = m_model->modelRow(position);
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() == row)
        return; // the grid moved the table there itself: its selection stays as the user made it
    m_following = true;
    // The table moved on its own: its row alone is selected, whatever keys are held.
    selectionModel()->setCurrentIndex(m_model->index(row, current.isValid() ? current.column() : 0),
                                      QItemSelectionModel::ClearAndSelect |
                                          QItemSelectionModel::Rows);
    m_following = false;
}

void DbGrid::moveTable(const QModelIndex& current)
{
    if (m_following || !current.isValid())
        return;
    auto move = [this, position = m_model->tablePosition(current.row())] {
        if (m_model->table().position() != position)
            m_model->table().moveTo(position);
    };
    guard::run(m_guard, move);
}

} // namespace views
