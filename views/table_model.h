#pragma once

#include "store/date_format.h"
#include "store/dbase/table.h"
#include "store/dbase/table_observer.h"
#include "viewlogic/cell_text.h"
#include "viewlogic/grid_columns.h"
#include "views/cell_rules.h"

#include <QAbstractTableModel>
#include <QColor>
#include <optional>
#include <vector>

namespace views {

// A grid's model over the rows a table presents. It follows the table through its observer and
// reads its rows with Table::rowAt, so it never moves the cursor and costs nothing per row until
// a row is painted. Sorted by a column, its row r shows the table's row tablePosition(r); the
// table itself keeps its own order, which every pass walks.
class TableModel : public QAbstractTableModel, private dbase::TableObserver
{
    Q_OBJECT
public:
    // The kind code of a cell of the Soort column (int), for the badge delegate.
    static constexpr int KindRole = Qt::UserRole + 1;

    TableModel(dbase::Table& table, GridLayout layout, QObject* parent = nullptr);
    ~TableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // What one data cell shows: its text, alignment, text colour and kind code, read with a
    // single look at its row. The grid paints from this instead of asking data() role by role.
    struct CellView
    {
        QString text;
        bool rightAligned = false;
        QColor foreground; // invalid: the grid's own text colour
        int kind = -1;     // the Soort value in the kind column; -1 elsewhere
    };
    // Requires a valid row and column of this model.
    CellView cellView(int row, int column) const;

    dbase::Table& table() const { return m_table; }
    const GridLayout& layout() const { return m_layout; }
    int kindColumn() const { return m_kindColumn; } // -1 when the grid shows no Soort

    // Re-reads the table wholesale (after it was opened or closed without an announcement).
    void resync();

    // Orders the rows by a column (nullopt: the table's own order) and keeps them so ordered
    // whenever the table's rows change; the current row stays the table's current row.
    void sortBy(int column, std::optional<Qt::SortOrder> order);
    void sort(int column, Qt::SortOrder order) override { sortBy(column, order); }
    int sortColumn() const { return m_sortColumn; } // -1 in the table's own order
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    // Between the model's rows and the positions of the table's presented rows.
    int tablePosition(int row) const { return m_order.empty() ? row : m_order[std::size_t(row)]; }
    int modelRow(int position) const
    {
        return m_rowOf.empty() ? position : m_rowOf[std::size_t(position)];
    }

signals:
    // The table's cursor moved to this position among its presented rows (-1: none).
    void currentRowChanged(int position);

private:
    struct Column
    {
        int field = -1; // index in the open table; -1 when absent or closed
        Display display = Display::Text;
        bool ruled = false; // the grid's colour rule looks at this column
    };

    void aboutToReset() override;
    void reset() override;
    void aboutToInsert(int position) override;
    void inserted(int position) override;
    void rowChanged(int position) override;
    void currentChanged(int position) override;

    void bindColumns();
    void buildOrder();
    QString cellText(const dbase::RowView& row, const Column& column) const;
    QColor foreground(const dbase::RowView& row, const Column& column) const;
    static bool isRightAligned(const Column& column)
    {
        return column.display == Display::Amount || column.display == Display::Integer;
    }

    dbase::Table& m_table;
    GridLayout m_layout;
    std::vector<Column> m_columns;
    int m_rows = 0;
    int m_kindColumn = -1;
    bool m_resetting = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    std::vector<int> m_order; // model row -> table position; empty in the table's own order
    std::vector<int> m_rowOf; // table position -> model row
    store::datefmt::DateFormatter m_dates;
};

} // namespace views
