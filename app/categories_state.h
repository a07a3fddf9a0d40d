#pragma once

#include "categories/category_index.h"
#include "categories/category_resolver.h"
#include "categories/category_rules_file.h"
#include "categories/own_accounts.h"
#include "relations/group_resolver.h"
#include "store/dbase/table.h"

#include <QString>
#include <optional>
#include <vector>

namespace app {

class Dialogs;

// The category rules and own accounts of the tables folder as the windows use them, and the
// category of every transaction, computed once after each change of what it depends on.
class CategoriesState
{
public:
    // Reads the rules (creating a missing rules table) and the own accounts; a damaged rules
    // table is reported through `dialogs` and leaves no rules.
    void load(const QString& folder, Dialogs& dialogs);

    const QString& folder() const { return m_folder; }
    const std::vector<categories::CategoryRule>& rules() const { return m_resolver.rules(); }
    const categories::CategoryResolver& resolver() const { return m_resolver; }
    const categories::OwnAccountSettings& ownAccounts() const { return m_own; }

    // The transactions, the group rules or the categories changed: the next index() reads anew.
    void invalidate() { m_index.reset(); }
    bool indexed() const { return m_index.has_value(); }
    // Every stored transaction with its category; read when something changed since.
    const categories::CategoryIndex& index(dbase::Table& mutaties,
                                           const relations::GroupResolver& groups);

    // Asks how many transactions change category, then saves `rules` (the old ones kept for
    // undo). False when the user says no. Throws on refused rules.
    bool save(dbase::Table& mutaties, const relations::GroupResolver& groups, Dialogs& dialogs,
              const std::vector<categories::CategoryRule>& rules);
    // Puts the rules before the last change back, after a question.
    bool undo(dbase::Table& mutaties, const relations::GroupResolver& groups, Dialogs& dialogs);
    // Saves the own accounts and the switch, and reads them back.
    void saveOwnAccounts(const categories::OwnAccountSettings& settings);
    void addOwnAccount(const QString& account);

private:
    void reloadRules();
    // How many stored transactions get another category under `rules`.
    int changedBy(dbase::Table& mutaties, const relations::GroupResolver& groups,
                  const std::vector<categories::CategoryRule>& rules);

    QString m_folder;
    categories::LoadedCategoryRules m_loaded;
    categories::OwnAccountSettings m_own;
    categories::CategoryResolver m_resolver;
    std::optional<categories::CategoryIndex> m_index;
};

} // namespace app
