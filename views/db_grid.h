#pragma once

#include "guard/guard.h"

#include <QStyledItemDelegate>
#include <QTableView>
#include <memory>
#include <vector>

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
    // A text its column cuts shows whole in a tooltip over the cell.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    const TableModel* m_model;
    mutable std::unique_ptr<CellTextPainter> m_text; // for the font of the last painted cell
};

// A data-aware grid: its current row and the table's current row are one. Whole rows are
// selected (several with Shift and Ctrl), nothing is edited in place, the fixed cells are dark
// green with bold light titles. A click on a column title sorts the rows by that column, a
// second one reverses them, a third gives back the table's own order. Ctrl+C copies the
// selected rows (the current row when none is selected) as tab-separated text with the titles.
class DbGrid : public QTableView
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 17;
    static constexpr int kIndicatorWidth = 11;

    DbGrid(TableModel* model, QWidget* parent = nullptr);

    void setGuard(guard::Guard guard) { m_guard = std::move(guard); }
    TableModel* tableModel() const { return m_model; }

    // The positions among the table's presented rows: of every row in the order shown, and of
    // the rows Ctrl+C copies, top to bottom.
    std::vector<int> shownPositions() const;
    std::vector<int> copiedPositions() const;
    // What Ctrl+C puts on the clipboard.
    QString copyText() const;
    // The title click: the next step of the cycle ascending, descending, the table's own order.
    void titleClicked(int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    void alignTopRow();
    void paintGridLines(QPainter& painter, const QRegion& region);
    void followTable(int position);
    void moveTable(const QModelIndex& current);
    void applyColumnWidths();
    void showSortIndicator();

    TableModel* m_model;
    guard::Guard m_guard;
    bool m_following = false;
};

} // namespace views
