#include "app/groups_state.h"

#include "app/dialogs.h"
#include "app/groups_texts.h"
#include "pipeline/passes.h"
#include "relations/group_changes.h"

namespace app {

namespace texts = groupstexts;

void GroupsState::load(const QString& folder, Dialogs& dialogs)
{
    m_folder = folder;
    m_loaded = relations::loadGroupRules(folder, true);
    m_resolver = relations::GroupResolver(m_loaded.rules);
    for (const QString& problem : m_loaded.problems)
        dialogs.showError(problem);
}

bool GroupsState::applied() const
{
    return m_folder.isEmpty() || relations::groupRulesApplied(m_folder, rules());
}

void GroupsState::requireReadable() const
{
    relations::requireReadableRules(m_loaded);
}

bool GroupsState::saveAndApply(store::TDataModule1& data, Dialogs& dialogs,
                               const std::vector<relations::GroupRule>& rules)
{
    requireReadable();
    std::vector<relations::GroupRule> checked;
    for (const relations::GroupRule& rule : rules)
        checked.push_back(relations::checkedRule(rule));
    const relations::RulesPreview preview =
        relations::previewGroupRules(data, m_resolver.rules(), checked);
    if (!dialogs.askYesNo(texts::kDialogTitle,
                          texts::kApplyQuestion.arg(preview.transactions).arg(preview.rows)))
        return false;
    const QString warning = pipeline::saveRulesAndRebuild(data, checked).warning;
    load(m_folder, dialogs);
    if (!warning.isEmpty())
        dialogs.showError(warning);
    return true;
}

bool GroupsState::undo(store::TDataModule1& data, Dialogs& dialogs)
{
    requireReadable();
    // Throws the message when there is nothing to undo.
    const std::vector<relations::GroupRule> previous = relations::previousGroupRules(m_folder);
    const relations::RulesPreview preview =
        relations::previewGroupRules(data, m_resolver.rules(), previous);
    if (!dialogs.askYesNo(texts::kDialogTitle,
                          texts::kUndoQuestion.arg(preview.transactions).arg(preview.rows)))
        return false;
    const QString warning = pipeline::undoRules(data).warning;
    load(m_folder, dialogs);
    if (!warning.isEmpty())
        dialogs.showError(warning);
    return true;
}

void GroupsState::reportGiveUps(Dialogs& dialogs) const
{
    const QString warning = m_resolver.giveUpWarning();
    m_resolver.clearGiveUps();
    if (!warning.isEmpty())
        dialogs.showError(warning);
}

} // namespace app
