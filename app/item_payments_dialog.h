#pragma once

#include "guard/guard.h"
#include "recurring/recurring_item.h"
#include "store/dbase/table.h"

#include <QDialog>
#include <vector>

class QTableWidget;

namespace app {

class Dialogs;

// The transactions of one fixed item, read from mutaties by record number (the pages' filters
// and cursors stay as they are), with "Exporteren…" to a CSV file.
class ItemPaymentsDialog : public QDialog
{
    Q_OBJECT
public:
    // Throws when a payment's row is gone from the table.
    ItemPaymentsDialog(const dbase::Table& mutaties, const recurring::RecurringItem& item,
                       Dialogs& dialogs, guard::Guard guard, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    void exportRows(); // "Exporteren…"

private:
    void fill();

    const dbase::Table& m_mutaties;
    Dialogs& m_dialogs;
    guard::Guard m_guard;
    std::vector<int> m_records; // record numbers, in date order
    QTableWidget* m_table;
};

} // namespace app
