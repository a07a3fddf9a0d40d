#include "relations/group_merge.h"

#include "store/dbase/table.h"
#include "store/table_names.h"

#include <algorithm>
#include <cmath>

namespace relations {

MergePlan mergePlan(const dbase::Table& bedrijven, const std::vector<int>& positions)
{
    using namespace store::names;
    MergePlan plan;
    const int naam = bedrijven.fieldIndex(kNaam), jaar = bedrijven.fieldIndex(kJaar);
    std::vector<int> months;
    for (const QString& month : kMonths)
        months.push_back(bedrijven.fieldIndex(month));
    for (const int position : positions) {
        if (position < 0 || position >= bedrijven.recordCount())
            continue;
        const dbase::RowView row = bedrijven.rowAt(position);
        MergePlan::Row moved{row.asString(naam), row.asString(jaar), 0};
        for (const int month : months)
            moved.cents += std::llround(row.asFloat(month) * 100.0);
        plan.totalCents += moved.cents;
        if (!plan.names.contains(moved.naam))
            plan.names << moved.naam;
        plan.rows.push_back(std::move(moved));
    }
    return plan;
}

std::vector<GroupRule> mergedRules(std::vector<GroupRule> rules, const QStringList& names,
                                   const QString& group)
{
    GroupRule probe;
    probe.pattern = group;
    probe.group = group;
    const QString target = checkedRule(probe).group;
    std::vector<GroupRule> added;
    for (const QString& name : names) {
        if (name == target)
            continue;
        for (GroupRule& rule : rules)
            if (rule.group == name)
                rule.group = target;
        const bool covered = std::any_of(rules.begin(), rules.end(), [&](const GroupRule& r) {
            return r.active && r.field == RuleField::Naam && r.kind == RuleKind::Equal &&
                   matchForm(r.pattern) == matchForm(name) && r.group == target;
        });
        if (covered || name.trimmed().isEmpty())
            continue;
        GroupRule rule;
        rule.kind = RuleKind::Equal;
        rule.pattern = name;
        rule.group = target;
        added.push_back(checkedRule(rule));
    }
    // First, so that the joined names reach the group whatever broader rule follows.
    rules.insert(rules.begin(), added.begin(), added.end());
    return rules;
}

} // namespace relations
