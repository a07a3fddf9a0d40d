#pragma once

#include "relations/group_resolver.h"
#include "relations/group_rules_file.h"
#include "store/data_module.h"
#include "store/totals_notice.h"

// The passes over the relation-year table and what they do to the notice beside the tables, the
// same for the windows and kolvaro-cli. Each pass sees the tables as their filters present them.
namespace pipeline {

// The totals lack a change of mutaties (an import, an emptying): "Aanvullen relaties" and every
// later pass are due. Throws store::NoticeError when the notice cannot be written.
void totalsBecameStale(const store::TDataModule1& data);

// "Aanvullen relaties": a relation-year row for every presented transaction's group and year.
void completeRelations(store::TDataModule1& data, const relations::GroupResolver& groups);

// "Vul per maand": the month totals of the presented relation-year rows. Refused (throws
// GroupRuleError naming the file) while the rules could not be read whole or the transactions
// table was missing: without them the pass would undo the relation-year totals.
void fillMonths(store::TDataModule1& data, const relations::LoadedRules& rules);

} // namespace pipeline
