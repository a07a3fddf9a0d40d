#include "relations/group_merge.h"

#include <algorithm>

namespace relations {

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
