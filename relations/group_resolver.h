#pragma once

#include "relations/group_rule.h"

#include <QHash>
#include <QRegularExpression>
#include <QString>
#include <array>
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
// matching rule the group is the transaction's Naam unchanged. Patterns are compiled once, and
// "gelijk" and "begint met" rules are found through hashes, so hundreds of rules cost little.
class GroupResolver
{
public:
    GroupResolver() = default; // no rules: every group is the Naam
    // Requires rules as checkedRule() gives them (an invalid pattern is skipped).
    explicit GroupResolver(std::vector<GroupRule> rules);

    const std::vector<GroupRule>& rules() const { return m_rules; }
    bool hasActiveRules() const { return m_active; }
    bool uses(RuleField field) const { return m_uses[static_cast<std::size_t>(field)]; }

    GroupMatch match(const RuleTexts& texts) const;
    // Every active rule that matches, by number (1-based), in order; the first decides.
    std::vector<int> allMatches(const RuleTexts& texts) const;
    // match().group, remembered per distinct set of texts the rules look at.
    QString group(const RuleTexts& texts) const;

private:
    struct FieldRules
    {
        QHash<QString, int> equal;    // match form -> lowest rule index
        QHash<QString, int> begins;   // match form of the prefix -> lowest rule index
        std::vector<int> beginsSizes; // distinct prefix lengths, ascending
    };
    bool matches(std::size_t rule, const std::array<QString, 3>& forms) const;
    std::array<QString, 3> formsOf(const RuleTexts& texts) const;

    std::vector<GroupRule> m_rules;
    std::vector<QString> m_forms; // the match form of each pattern
    std::vector<QRegularExpression> m_expressions;
    std::array<FieldRules, 3> m_fields;
    std::vector<int> m_scanned; // "bevat" and "patroon" rules, in order
    std::array<bool, 3> m_uses{};
    bool m_active = false;
    mutable QHash<QString, QString> m_cache;
};

} // namespace relations
