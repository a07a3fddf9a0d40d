#pragma once

#include "relations/group_rule.h"

#include <QStringList>
#include <vector>

namespace relations {

// The rules after joining relation names into `group`: one "gelijk" rule on Naam per name that
// has none yet, put before all others (so the name reaches the group whatever rule would
// otherwise take it); a name that is itself the group of rules has those rules
// moved to `group` as well, so that joining groups joins their members. Names equal to the
// group are left out. Throws GroupRuleError for a refused group name.
std::vector<GroupRule> mergedRules(std::vector<GroupRule> rules, const QStringList& names,
                                   const QString& group);

} // namespace relations
