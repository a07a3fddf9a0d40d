#pragma once

#include "views/guard_hook.h"

#include <QStyledItemDelegate>
#include <QTableView>

namespace views {

class TableModel;

// Draws a cell's text in the colour its rule gives, also in the highlighted row, and the kind
// badge over the left of the Soort cell.
class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int kTextMargin = 2;
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// A data-aware grid: its current row and the table's current row are one. Whole rows are
// selected, nothing is edited in place, the fixed cells are dark green with bold light titles.
class DbGrid : public QTableView
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 17;
    static constexpr int kIndicatorWidth = 11;

    DbGrid(TableModel* model, QWidget* parent = nullptr);

    void setGuard(Guard guard) { m_guard = std::move(guard); }
    TableModel* tableModel() const { return m_model; }

private:
    void followTable(int position);
    void moveTable(const QModelIndex& current);
    void applyColumnWidths();

    TableModel* m_model;
    Guard m_guard;
    bool m_following = false;
};

} // namespace views
