#pragma once

#include "relations/group_resolver.h"
#include "relations/group_rules_file.h"
#include "store/data_module.h"

#include <QString>
#include <vector>

namespace app {

class Dialogs;

// The relation-group rules of the tables folder as the windows use them: loaded at the start
// and after every change, with the resolver the import and the passes take.
class GroupsState
{
public:
    // Reads the rules (creating a missing rules table); a damaged one is reported through
    // `dialogs` and leaves no rules.
    void load(const QString& folder, Dialogs& dialogs);

    const QString& folder() const { return m_folder; }
    const std::vector<relations::GroupRule>& rules() const { return m_resolver.rules(); }
    const relations::GroupResolver& resolver() const { return m_resolver; }
    // The rules as read, with what was wrong with them.
    const relations::LoadedRules& loaded() const { return m_loaded; }
    // Whether bedrijven was last rebuilt under these rules.
    bool applied() const;
    // Throws the message naming the rules table when it could not be read at the load: the
    // month pass and every change of the rules wait until the user mends it.
    void requireReadable() const;

    // Asks how many transactions change group, then saves `rules` (the old ones kept for undo),
    // rebuilds bedrijven and loads them. False when the user says no. Throws on refused rules
    // and engine errors.
    bool saveAndApply(store::TDataModule1& data, Dialogs& dialogs,
                      const std::vector<relations::GroupRule>& rules);
    // Puts the rules before the last change back and rebuilds, after a question.
    bool undo(store::TDataModule1& data, Dialogs& dialogs);
    // After a pass: shows once the texts on which a pattern gave up, if any, and forgets them.
    void reportGiveUps(Dialogs& dialogs) const;

private:
    QString m_folder;
    relations::LoadedRules m_loaded; // the rules as read, and what was wrong with them
    relations::GroupResolver m_resolver;
};

} // namespace app
