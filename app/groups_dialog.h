#pragma once

#include "guard/guard.h"
#include "relations/group_rule.h"
#include "store/data_module.h"

#include <QDialog>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace app {

class Dialogs;
class GroupsState;

// "Relatiegroepen": the rules in order with what each catches now, add/change/delete/move, a
// test box, undo, and saving with the rebuild. Edits stay in the dialog until they are saved.
class GroupsDialog : public QDialog
{
    Q_OBJECT
public:
    // The columns of the rules table, in the order of their titles.
    enum Column
    {
        kNr,
        kActive,
        kField,
        kKind,
        kPattern,
        kGroup,
        kTransactions, // what the rule catches now
        kNames,        // the names among them
        kTakenEarlier, // names an earlier rule already decides
        kColumnCount,
    };

    // `editRule` opens the rule editor: the edited rule, or nothing when cancelled (tests
    // answer it instead of a user).
    using EditRule = std::function<std::optional<relations::GroupRule>(const relations::GroupRule&,
                                                                       QWidget* parent)>;
    GroupsDialog(store::TDataModule1& data, Dialogs& dialogs, GroupsState& state,
                 guard::Guard guard, EditRule editRule, QWidget* parent = nullptr);

    const std::vector<relations::GroupRule>& rules() const { return m_rules; }
    QTableWidget* table() const { return m_table; }
    QLineEdit* testBox() const { return m_testText; }
    QLabel* testResult() const { return m_testResult; }

    void addRule();
    void changeRule();
    void deleteRule();
    void moveRule(int by);
    void undo();
    void saveAndApply();
    // Closing with unsaved changes asks first.
    void reject() override;

signals:
    void rulesApplied(); // bedrijven was rebuilt

private:
    QTableWidget* makeTable();
    QLayout* makeButtons();
    QLayout* makeTestRow();
    void fitTextColumns();
    int currentRule() const;
    void refresh(int select);
    void updateTest();

    store::TDataModule1& m_data;
    Dialogs& m_dialogs;
    GroupsState& m_state;
    guard::Guard m_guard;
    EditRule m_editRule;
    std::vector<relations::GroupRule> m_rules;
    QTableWidget* m_table;
    QLabel* m_unsaved;
    QComboBox* m_testField;
    QLineEdit* m_testText;
    QLabel* m_testResult;
};

} // namespace app
