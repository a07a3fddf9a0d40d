#pragma once

#include "relations/group_rebuild.h"
#include "relations/group_rule.h"
#include "store/data_module.h"

#include <QString>
#include <vector>

// What a change of the relation-group rules does to a tables folder, once for the windows and
// kolvaro-cli alike: save or undo the rules and rebuild bedrijven under them, keeping every row
// a rebuild removes, so that nothing of the relation-year history is lost.
namespace relations {

// What a rebuild leaves: the number of relation-year rows, and the warning naming the texts on
// which a rule's pattern gave up (empty when none did).
struct RebuildResult
{
    int rows = 0;
    QString warning;
};

// What the question before a rebuild tells: how many transactions get another group, and how
// many stored relation-year rows change or go.
struct RulesPreview
{
    int transactions = 0;
    int rows = 0;
};

// The rules of the folder of the open tables; throws GroupRuleError naming the file when they
// cannot be read whole (no change and no rebuild while that is so).
std::vector<GroupRule> readableGroupRules(const store::TDataModule1& data);

// Rebuilding under `next` instead of the rules the table was last rebuilt under.
RulesPreview previewGroupRules(store::TDataModule1& data, const std::vector<GroupRule>& current,
                               const std::vector<GroupRule>& next);

// Throws GroupRuleError naming mutaties when it is missing beside bedrijven (before opening) or
// was created empty by the opening: a pass over the relation-year rows must not take a missing
// transactions table for one without transactions.
void requireTransactionsTable(const store::TDataModule1& data);

// What `rebuildUnderRules` would change, writing nothing (refused as it would be); `warning`
// gets the give-up warning of the rules, if any.
std::vector<GroupChange> plannedRebuild(store::TDataModule1& data, QString* warning = nullptr);

// Saves `rules` (the folder's rules as they were kept for undo) and rebuilds bedrijven under
// them. A rebuild makes every total follow the stored transactions (the notice beside the tables
// is the caller's: pipeline/). Throws GroupRuleError for a refused rule, a rules table that cannot
// be read, or a transactions table that was missing; nothing is changed then.
RebuildResult saveAndRebuild(store::TDataModule1& data, const std::vector<GroupRule>& rules);
// Rebuilds bedrijven under the folder's rules.
RebuildResult rebuildUnderRules(store::TDataModule1& data);
// Puts back the rules as they were before the last change and rebuilds under them.
RebuildResult undoAndRebuild(store::TDataModule1& data);

} // namespace relations
