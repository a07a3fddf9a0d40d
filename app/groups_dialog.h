#pragma once

#include "app/rules_dialog.h"
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
class GroupsDialog : public RulesDialog
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

    void addRule() override;
    void changeRule() override;
    void undo() override;
    void saveAndApply() override;

signals:
    void rulesApplied(); // bedrijven was rebuilt

protected:
    int ruleCount() const override { return int(m_rules.size()); }
    void eraseRule(int row) override { m_rules.erase(m_rules.begin() + row); }
    void swapRules(int row, int other) override
    {
        std::swap(m_rules[std::size_t(row)], m_rules[std::size_t(other)]);
    }
    bool unsaved() const override;
    void fillRows() override;
    QString testText(int field, const QString& text) const override;
    bool askDiscard() override;

private:
    store::TDataModule1& m_data;
    Dialogs& m_dialogs;
    GroupsState& m_state;
    EditRule m_editRule;
    std::vector<relations::GroupRule> m_rules;
};

} // namespace app
