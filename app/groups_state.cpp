#include "app/groups_state.h"

#include "app/dialogs.h"
#include "app/groups_texts.h"
#include "relations/group_rebuild.h"
#include "relations/group_rules_file.h"

namespace app {

namespace texts = groupstexts;

void GroupsState::load(const QString& folder, Dialogs& dialogs)
{
    m_folder = folder;
    relations::LoadedRules loaded = relations::loadGroupRules(folder, true);
    m_resolver = relations::GroupResolver(std::move(loaded.rules));
    for (const QString& problem : loaded.problems)
        dialogs.showError(problem);
}

bool GroupsState::applied() const
{
    return m_folder.isEmpty() || relations::groupRulesApplied(m_folder, rules());
}

void GroupsState::rebuild(store::TDataModule1& data)
{
    relations::rebuildRelationYears(data.T1, data.T2, m_resolver);
    relations::markGroupRulesApplied(m_folder, rules());
}

bool GroupsState::saveAndApply(store::TDataModule1& data, Dialogs& dialogs,
                               const std::vector<relations::GroupRule>& rules)
{
    std::vector<relations::GroupRule> checked;
    for (const relations::GroupRule& rule : rules)
        checked.push_back(relations::checkedRule(rule));
    relations::GroupResolver next(checked);
    const int changing = relations::transactionsChangingGroup(data.T1, m_resolver, next);
    if (!dialogs.askYesNo(texts::kDialogTitle, texts::kApplyQuestion.arg(changing)))
        return false;
    if (checked != m_resolver.rules())
        relations::saveGroupRules(m_folder, checked);
    m_resolver = std::move(next);
    rebuild(data);
    reportGiveUps(dialogs);
    return true;
}

bool GroupsState::undo(store::TDataModule1& data, Dialogs& dialogs)
{
    // Throws the message when there is nothing to undo. The rules come back first, so that the
    // question can count what they change; a "no" swaps them back.
    relations::undoGroupRules(m_folder);
    relations::LoadedRules previous = relations::loadGroupRules(m_folder, false);
    relations::GroupResolver next(std::move(previous.rules));
    const int changing = relations::transactionsChangingGroup(data.T1, m_resolver, next);
    if (!dialogs.askYesNo(texts::kDialogTitle, texts::kUndoQuestion.arg(changing))) {
        relations::undoGroupRules(m_folder); // the swap back: nothing changed
        return false;
    }
    m_resolver = std::move(next);
    rebuild(data);
    reportGiveUps(dialogs);
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
