#pragma once

#include "guard/guard.h"
#include "store/dbase/table.h"
#include "viewlogic/grid_columns.h"

#include <QDialog>
#include <vector>

class QLabel;
class QTableView;

namespace app {

class Dialogs;

// The transactions of one category in one year (date, relation, description, amount), their
// sums in a line, and "Exporteren…" to a CSV file. Reads the rows of mutaties by record number:
// the pages' filters and cursor stay as they are.
class CategoryListDialog : public QDialog
{
    Q_OBJECT
public:
    CategoryListDialog(const dbase::Table& mutaties, std::vector<int> records,
                       const QString& category, int year, Dialogs& dialogs, guard::Guard guard,
                       QWidget* parent = nullptr);

    // The columns of the list and of its export.
    static views::GridLayout layout();

    QTableView* view() const { return m_view; }
    QLabel* sums() const { return m_sums; }
    void exportRows(); // asks for a file name; nothing when cancelled

private:
    const dbase::Table& m_mutaties;
    std::vector<int> m_records;
    Dialogs& m_dialogs;
    guard::Guard m_guard;
    QTableView* m_view;
    QLabel* m_sums;
};

} // namespace app
