#pragma once

#include "guard/guard.h"
#include "store/dbase/table.h"

#include <QDialog>
#include <vector>

class QLabel;
class QTableView;

namespace app {

class Dialogs;

// A list of transactions picked elsewhere (a category's year, a fixed cost's payments): date,
// relation, description and amount, their sums in a line, and "Exporteren…" to a CSV file. Reads
// the rows of mutaties by record number, each cell when it is painted: the pages' filters and
// cursor stay as they are, and a long list costs nothing before it is scrolled.
class TransactionListDialog : public QDialog
{
    Q_OBJECT
public:
    // `heading`, when not empty, stands above the list.
    TransactionListDialog(const dbase::Table& mutaties, std::vector<int> records,
                          const QString& title, const QString& heading, Dialogs& dialogs,
                          guard::Guard guard, QWidget* parent = nullptr);

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
