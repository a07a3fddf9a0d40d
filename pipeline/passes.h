#pragma once

#include "relations/group_changes.h"
#include "relations/group_resolver.h"
#include "relations/group_rules_file.h"
#include "store/data_module.h"

// The passes over the relation-year table and what they do to the notice beside the tables, the
// same for the windows and kolvaro-cli. Each pass sees the tables as their filters present them.
namespace pipeline {

// The totals lack a change of mutaties (an import, an emptying): "Aanvullen relaties" and every
// later pass are due. Throws notices::NoticeError when the notice cannot be written.
void totalsBecameStale(const store::TDataModule1& data);

// "Aanvullen relaties": a relation-year row for every presented transaction's group and year.
void completeRelations(store::TDataModule1& data, const relations::GroupResolver& groups);

// "Vul per maand": the month totals of the presented relation-year rows. Refused (throws
// GroupRuleError naming the file) while the rules could not be read whole or the transactions
// table was missing: without them the pass would undo the relation-year totals.
// Returns the warning naming texts on which a rule's pattern gave up (empty when none did).
QString fillMonths(store::TDataModule1& data, const relations::LoadedRules& rules);

// The rebuild of the relation-year table under the group rules, and the changes of rules that end
// in one (see relations/group_changes.h): afterwards every total follows the stored
// transactions, so no pass is due any more.
relations::RebuildResult saveRulesAndRebuild(store::TDataModule1& data,
                                             const std::vector<relations::GroupRule>& rules);
relations::RebuildResult rebuildGroups(store::TDataModule1& data);
relations::RebuildResult undoRules(store::TDataModule1& data);

} // namespace pipeline
