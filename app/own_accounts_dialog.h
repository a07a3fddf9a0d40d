#pragma once

#include "guard/guard.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace app {

class CategoriesState;

// "Eigen rekeningen": the list of own accounts with add and remove, and the switch that leaves
// transfers between them out of income and expenses. Every change is saved at once; a refused
// account shows its message through the guard and changes nothing.
class OwnAccountsDialog : public QDialog
{
    Q_OBJECT
public:
    OwnAccountsDialog(CategoriesState& state, guard::Guard guard, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    QLineEdit* accountBox() const { return m_account; }
    QCheckBox* leaveOutBox() const { return m_leaveOut; }

    void addAccount();    // the text of the account box
    void removeAccount(); // the selected entry
    void setLeaveOut(bool on);

signals:
    void changed();

private:
    void showAccounts();

    CategoriesState& m_state;
    guard::Guard m_guard;
    QListWidget* m_list;
    QLineEdit* m_account;
    QCheckBox* m_leaveOut;
};

} // namespace app
