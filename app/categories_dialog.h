#pragma once

#include "app/rule_editor.h"
#include "app/rule_list_dialog.h"
#include "categories/category_rule.h"
#include "relations/group_resolver.h"
#include "store/dbase/table.h"

#include <functional>
#include <optional>
#include <vector>

namespace app {

class CategoriesState;
class Dialogs;

// One category rule, with the transactions and euros it alone would catch now.
class CategoryRuleEditor : public RuleForm
{
    Q_OBJECT
public:
    // The transactions and signed cents `rule` alone catches.
    using Preview = std::function<std::pair<int, qint64>(const categories::CategoryRule&)>;
    CategoryRuleEditor(const categories::CategoryRule& rule, Preview preview,
                       QWidget* parent = nullptr);

    const categories::CategoryRule& rule() const { return m_rule; }
    // The rule as the boxes hold it; throws GroupRuleError.
    categories::CategoryRule entered() const;
    void updatePreview() override;

protected:
    void keepEntered() override { m_rule = entered(); }

private:
    categories::CategoryRule m_rule;
    Preview m_preview;
};

// "Rubrieken": the category rules with the transactions and euros each decides now, the rules
// that only catch what others took marked, a test box, undo, and saving.
class CategoriesDialog : public RuleListDialog<categories::CategoryRule>
{
    Q_OBJECT
public:
    enum Column
    {
        kNr,
        kActive,
        kField,
        kKind,
        kPattern,
        kCategory,
        kTransactions, // what the rule decides now
        kAmount,       // their sum
        kTakenEarlier, // transactions it matches that come earlier to an own account or rule
        kColumnCount,
    };

    CategoriesDialog(dbase::Table& mutaties, const relations::GroupResolver& groups,
                     Dialogs& dialogs, CategoriesState& state, guard::Guard guard,
                     EditRule editRule, QWidget* parent = nullptr);

    void addRule() override;
    void undo() override;
    void saveAndApply() override;

signals:
    void rulesSaved();

protected:
    bool unsaved() const override;
    void fillRows() override;
    QString testText(int field, const QString& text) const override;
    bool askDiscard() override;

private:
    dbase::Table& m_mutaties;
    const relations::GroupResolver& m_groups;
    Dialogs& m_dialogs;
    CategoriesState& m_state;
};

// The rule editor as the page opens it: modal over the dialog, previewing over mutaties.
CategoriesDialog::EditRule categoryRuleEditor(dbase::Table& mutaties,
                                              const relations::GroupResolver& groups);

} // namespace app
