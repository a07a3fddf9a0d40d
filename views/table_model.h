#pragma once

#include "store/date_format.h"
#include "store/dbase/table.h"
#include "store/dbase/table_observer.h"
#include "views/cell_rules.h"
#include "views/grid_columns.h"

#include <QAbstractTableModel>
#include <QColor>
#include <vector>

namespace views {

// A grid's model over the rows a table presents. It follows the table through its observer and
// reads row i with Table::rowAt(i), so it never moves the cursor and costs nothing per row until
// a row is painted.
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

signals:
    void currentRowChanged(int position);

private:
    enum class Display
    {
        Text,
        Date,
        Integer,
        Amount,
        Flag
    };
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
    store::datefmt::DateFormatter m_dates;
};

} // namespace views
