#pragma once

#include "app/rule_list_dialog.h"
#include "relations/group_rule.h"
#include "store/data_module.h"

#include <functional>
#include <optional>
#include <vector>

namespace app {

class Dialogs;
class GroupsState;

// "Relatiegroepen": the relation-group rules with what each catches now, and saving with the
// rebuild of bedrijven.
class GroupsDialog : public RuleListDialog<relations::GroupRule>
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

    GroupsDialog(store::TDataModule1& data, Dialogs& dialogs, GroupsState& state,
                 guard::Guard guard, EditRule editRule, QWidget* parent = nullptr);

    void addRule() override;
    void undo() override;
    void saveAndApply() override;

signals:
    void rulesApplied(); // bedrijven was rebuilt

protected:
    bool unsaved() const override;
    void fillRows() override;
    QString testText(int field, const QString& text) const override;
    bool askDiscard() override;

private:
    store::TDataModule1& m_data;
    Dialogs& m_dialogs;
    GroupsState& m_state;
};

} // namespace app
