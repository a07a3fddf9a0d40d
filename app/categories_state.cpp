#include "app/categories_state.h"

#include "app/categories_texts.h"
#include "app/dialogs.h"

namespace app {

namespace texts = categoriestexts;

void CategoriesState::load(const QString& folder, Dialogs& dialogs)
{
    m_folder = folder;
    m_loaded = categories::loadCategoryRules(folder, true);
    for (const QString& problem : m_loaded.problems)
        dialogs.showError(problem);
    m_own = categories::OwnAccountSettings{};
    m_resolver = categories::CategoryResolver(m_loaded.rules, categories::OwnAccounts());
    m_index.reset();
    // Without the own accounts every transfer would count as spending: the user must know.
    m_own = categories::loadOwnAccounts(folder);
    m_resolver =
        categories::CategoryResolver(m_loaded.rules, categories::OwnAccounts(m_own.accounts));
}

void CategoriesState::reloadRules()
{
    m_loaded = categories::loadCategoryRules(m_folder, false);
    m_resolver =
        categories::CategoryResolver(m_loaded.rules, categories::OwnAccounts(m_own.accounts));
    m_index.reset();
}

const categories::CategoryIndex& CategoriesState::index(dbase::Table& mutaties,
                                                        const relations::GroupResolver& groups)
{
    if (!m_index)
        m_index = categories::CategoryIndex::build(mutaties, groups, m_resolver);
    return *m_index;
}

int CategoriesState::changedBy(dbase::Table& mutaties, const relations::GroupResolver& groups,
                               const std::vector<categories::CategoryRule>& rules)
{
    const categories::CategoryIndex& now = index(mutaties, groups);
    const categories::CategoryIndex then = categories::CategoryIndex::build(
        mutaties, groups, categories::CategoryResolver(rules, m_resolver.ownAccounts()));
    int changed = 0;
    const auto& a = now.transactions();
    const auto& b = then.transactions();
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (now.names()[a[i].category] != then.names()[b[i].category])
            ++changed;
    return changed;
}

bool CategoriesState::save(dbase::Table& mutaties, const relations::GroupResolver& groups,
                           Dialogs& dialogs, const std::vector<categories::CategoryRule>& rules)
{
    categories::requireReadableCategoryRules(m_loaded);
    std::vector<categories::CategoryRule> checked;
    for (const categories::CategoryRule& rule : rules)
        checked.push_back(categories::checkedRule(rule));
    if (!dialogs.askYesNo(texts::kDialogTitle,
                          texts::kSaveQuestion.arg(changedBy(mutaties, groups, checked))))
        return false;
    categories::saveCategoryRules(m_folder, checked);
    reloadRules();
    return true;
}

bool CategoriesState::undo(dbase::Table& mutaties, const relations::GroupResolver& groups,
                           Dialogs& dialogs)
{
    categories::requireReadableCategoryRules(m_loaded);
    // Throws the message when there is nothing to undo.
    const std::vector<categories::CategoryRule> previous =
        categories::previousCategoryRules(m_folder);
    if (!dialogs.askYesNo(texts::kDialogTitle,
                          texts::kUndoQuestion.arg(changedBy(mutaties, groups, previous))))
        return false;
    categories::undoCategoryRules(m_folder);
    reloadRules();
    return true;
}

void CategoriesState::saveOwnAccounts(const categories::OwnAccountSettings& settings)
{
    categories::saveOwnAccounts(m_folder, settings);
    const QStringList before = m_own.accounts;
    m_own = categories::loadOwnAccounts(m_folder);
    // The switch alone changes no category: the overview applies it.
    if (m_own.accounts != before)
        reloadRules();
}

void CategoriesState::addOwnAccount(const QString& account)
{
    categories::addOwnAccount(m_folder, account);
    m_own = categories::loadOwnAccounts(m_folder);
    reloadRules();
}

} // namespace app
