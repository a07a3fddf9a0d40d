#pragma once

#include "relations/group_rule.h"
#include "relations/rule_matcher.h"

#include <QString>
#include <vector>

namespace relations {

// The texts of a transaction that rules look at.
struct RuleTexts
{
    QString naam;
    QString omschrijving;
    QString reknum;
};

struct GroupMatch
{
    QString group; // the rule's group, or the transaction's own Naam when no rule applies
    int rule = 0;  // 1-based number of the deciding rule; 0 when no rule applies
};

// Gives a transaction its group: the rules are tried in their order and the first active one
// that matches decides; its group is final (never matched again by another rule). Without a
// matching rule the group is the transaction's Naam unchanged. The rules are matched by a
// RuleMatcher over the three fields: one pass per field text finds every plain rule, patterns are
// compiled once, and a field's answer is remembered per text where texts repeat.
//
// A "patroon" rule that needs too much work on a text gives up there and counts as not
// matching; giveUps() lists such (rule, text) pairs so that the caller can show them once after
// a pass (giveUpWarning() words them), and clearGiveUps() starts a new list.
class GroupResolver
{
public:
    GroupResolver() = default; // no rules: every group is the Naam
    // Requires rules as checkedRule() gives them (an invalid pattern is skipped).
    explicit GroupResolver(std::vector<GroupRule> rules);

    const std::vector<GroupRule>& rules() const { return m_rules; }
    bool hasActiveRules() const { return m_matcher.hasActiveRules(); }
    bool uses(RuleField field) const;

    GroupMatch match(const RuleTexts& texts) const;
    // Every active rule that matches, by number (1-based), in order; the first decides. The same
    // matcher as match(), so the per-rule counts of the dialog agree with the groups.
    std::vector<int> allMatches(const RuleTexts& texts) const;
    // match().group.
    QString group(const RuleTexts& texts) const;

    const std::vector<RuleGiveUp>& giveUps() const { return m_matcher.giveUps(); }
    int giveUpCount() const { return m_matcher.giveUpCount(); }
    void clearGiveUps() const { m_matcher.clearGiveUps(); }
    // The give-ups in Dutch, for the user: which rule, which text; empty when there are none.
    QString giveUpWarning() const;

private:
    int first(const RuleTexts& texts) const;

    std::vector<GroupRule> m_rules;
    RuleMatcher m_matcher;
};

} // namespace relations
