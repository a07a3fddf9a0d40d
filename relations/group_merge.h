#pragma once

#include "relations/group_rule.h"

#include <QStringList>
#include <vector>

namespace dbase {
class Table;
}

namespace relations {

// What "Samenvoegen" moves: the selected relation-year rows with their year totals (in cents),
// the distinct names among them in the order selected, and the sum of the totals.
struct MergePlan
{
    struct Row
    {
        QString naam;
        QString jaar;
        qint64 cents = 0;
    };
    std::vector<Row> rows;
    QStringList names;
    qint64 totalCents = 0;
};

// Over the presented rows of bedrijven at `positions` (positions past the end are skipped).
MergePlan mergePlan(const dbase::Table& bedrijven, const std::vector<int>& positions);

// The rules after joining relation names into `group`: one "gelijk" rule on Naam per name that
// has none yet, put before all others (so the name reaches the group whatever rule would
// otherwise take it); a name that is itself the group of rules has those rules
// moved to `group` as well, so that joining groups joins their members. Names equal to the
// group are left out. Throws GroupRuleError for a refused group name.
std::vector<GroupRule> mergedRules(std::vector<GroupRule> rules, const QStringList& names,
                                   const QString& group);

} // namespace relations
