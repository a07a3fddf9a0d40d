#pragma once

#include "views/guard_hook.h"

#include <QStyledItemDelegate>
#include <QTableView>
#include <memory>

namespace views {

class CellTextPainter;
class TableModel;

// Draws a cell's text in the colour its rule gives, also in the highlighted row, and the kind
// badge over the left of the Soort cell. Cells of other models are left to the base class.
class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int kTextMargin = 2;
    explicit GridDelegate(const TableModel* model, QObject* parent = nullptr);
    ~GridDelegate() override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const TableModel* m_model;
    mutable std::unique_ptr<CellTextPainter> m_text; // for the font of the last painted cell
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    void alignTopRow();
    void paintGridLines(QPainter& painter, const QRegion& region);
    void followTable(int position);
    void moveTable(const QModelIndex& current);
    void applyColumnWidths();

    TableModel* m_model;
    Guard m_guard;
    bool m_following = false;
};

} // namespace views
