#include "views/db_grid.h"

#include "store/table_names.h"
#include "views/cell_rules.h"
#include "views/kind_badges.h"
#include "views/table_model.h"

#include <QHeaderView>
#include <QPainter>

namespace views {

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    // Plain text cells are drawn directly: a grid repaints hundreds of them per page, and the
    // style's item drawing lays out every text on its own.
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
    const QVariant foreground = index.data(Qt::ForegroundRole);
    QColor colour = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    // A ruled colour wins over the highlight text colour, so red and green stay visible.
    if (foreground.isValid())
        colour = foreground.value<QColor>();
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        const auto alignment = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        painter->save();
        painter->setClipRect(option.rect);
        painter->setPen(colour);
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0),
                          int(alignment) | Qt::TextSingleLine, text);
        painter->restore();
    }
    const QVariant kind = index.data(TableModel::KindRole);
    if (!kind.isValid())
        return;
    const int k = kind.toInt();
    if (k < 3 || k >= kImageCount)
        return; // only kind codes have a badge; other values show just their number
    const QRect square(option.rect.left(), option.rect.top(), option.rect.height(),
                       option.rect.height());
    painter->drawImage(square, imageList1()[std::size_t(k)]);
}

DbGrid::DbGrid(TableModel* model, QWidget* parent) : QTableView(parent), m_model(model)
{
    setModel(model);
    setItemDelegate(new GridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    // Narrow columns (jaar is 29 pixels) clip their text rather than show an ellipsis.
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);

    QHeaderView* rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(kRowHeight);
    rows->setDefaultSectionSize(kRowHeight);
    rows->setFixedWidth(kIndicatorWidth);
    rows->setHighlightSections(true);

    QHeaderView* titles = horizontalHeader();
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setHighlightSections(false);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titles->setFixedHeight(kRowHeight + 2);
    // Style sheets on the headers only: on the whole view they would slow every cell's paint.
    const QString fixedCells =
        QStringLiteral(
            "QHeaderView::section { background-color: %1; color: %2; font-weight: bold;"
            " border: none; border-right: 1px solid #0B3F2F; border-bottom: 1px solid #0B3F2F;"
            " padding-left: 2px; }"
            "QHeaderView::section:checked { background-color: #2E8B6B; }"
            "QHeaderView { background-color: %1; }")
            .arg(kFixedCellColour.name(), kTitleTextColour.name());
    titles->setStyleSheet(fixedCells);
    rows->setStyleSheet(fixedCells);
    if (model->spec().blackText) {
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

void DbGrid::applyColumnWidths()
{
    const auto& columns = m_model->spec().columns;
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
    m_following = true;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    setCurrentIndex(m_model->index(position, column));
    m_following = false;
}

void DbGrid::moveTable(const QModelIndex& current)
{
    if (m_following || !current.isValid())
        return;
    auto move = [this, row = current.row()] {
        if (m_model->table().position() != row)
            m_model->table().moveTo(row);
    };
    if (m_guard)
        m_guard(move);
    else
        move();
}

} // namespace views
