#pragma once

#include "relations/group_rule.h"
#include "relations/rule_pattern.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <span>
#include <vector>

namespace relations {

// One rule as the matcher sees it: which of the texts it reads, how, and what.
struct MatchRule
{
    bool active = true;
    int field = 0; // index into the texts given to the matcher
    RuleKind kind = RuleKind::Equal;
    QString pattern;
};

// A "patroon" rule that gave up on a text (too much work): it counted as not matching there.
struct RuleGiveUp
{
    int rule = 0; // 1-based number of the rule
    QString text; // the text as it was given, before its match form
};

// Finds the rules that match a set of N texts, each compared in its match form (case and runs of
// blanks ignored). Per field one automaton holds every "gelijk", "begint met" and "bevat"
// pattern, so one pass over a text finds all of them; "patroon" rules are compiled once and only
// run when the automaton found a piece of plain text they require (or they have none), and only
// when they come before the first plain rule that matched. A text of a field no rule uses is not
// read. Const calls change its memory of texts and its give-ups: one thread at a time.
class RuleMatcher
{
public:
    static constexpr int kMaxFields = 64;
    // The most entries a field's transition table may have (4 bytes each); an automaton that
    // would need more (hundreds of long patterns of many different characters) searches its
    // edges instead: slower, far smaller.
    static constexpr std::size_t kTableLimit = std::size_t(4) << 20;

    RuleMatcher() = default;
    // `fields` texts (at most kMaxFields); a rule on a field outside them is skipped.
    RuleMatcher(int fields, const std::vector<MatchRule>& rules,
                std::size_t tableLimit = kTableLimit);

    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    bool uses(int field) const { return m_fields[static_cast<std::size_t>(field)].used; }
    bool hasActiveRules() const { return m_active; }

    // 0-based index of the first active rule that matches, or -1. Remembered per text of a field.
    int first(std::span<const QString> texts) const;
    // Every active rule that matches, by 0-based index, ascending; nothing remembered.
    std::vector<int> all(std::span<const QString> texts) const;

    // Give-ups since the matcher was made or cleared, in the order they happened, each (rule,
    // text) once; at most kGiveUpsKept of them, giveUpCount() counts all.
    static constexpr int kGiveUpsKept = 100;
    const std::vector<RuleGiveUp>& giveUps() const { return m_giveUps; }
    int giveUpCount() const { return m_giveUpCount; }
    void clearGiveUps() const;

private:
    static constexpr int kNone = std::numeric_limits<int>::max();

    // The automaton of one field: a trie of its plain patterns with failure links.
    struct Node
    {
        int fail = 0;
        int depth = 0;
        int equal = kNone;       // lowest "gelijk" rule whose pattern ends here
        int begins = kNone;      // lowest "begint met" rule whose pattern ends here
        int contains = kNone;    // lowest "bevat" rule whose pattern ends here or in a suffix
        std::vector<int> rules;  // every plain rule whose pattern ends here (own, for all())
        std::vector<int> guards; // "patroon" rules whose literal ends here or in a suffix
        int output = -1;         // nearest proper suffix node with own rules, for all()
    };
    struct Field
    {
        bool used = false;
        std::vector<Node> nodes;
        std::vector<char16_t> edgeChar; // the edges of all nodes, sorted per node
        std::vector<int> edgeTarget;
        std::vector<int> edgeBegin; // per node, its edges' range [edgeBegin[n], edgeBegin[n+1])
        std::vector<int> rootNext;  // per UTF-16 unit: the root's edge, 0 when none
        // Within the table limit: every transition, failures followed, per node and class of
        // character (0: a character no pattern has).
        std::vector<std::uint16_t> classOf; // per UTF-16 unit
        std::vector<int> table;             // node * classes + class -> node
        std::size_t classes = 0;
        std::vector<int> patterns;         // "patroon" rules, in order
        mutable QHash<QString, int> cache; // text -> lowest matching rule of this field
        mutable int lookups = 0;
        mutable int hits = 0;
    };

    // The trie's edges per node while the automaton is built.
    using Children = std::vector<std::map<char16_t, int>>;
    void build(Field& field, const std::vector<std::pair<QString, int>>& plain,
               const std::vector<std::pair<QString, int>>& guards, std::size_t tableLimit);
    static void flattenEdges(Field& field, const Children& children);
    // Failure links, output links and guards; returns the nodes breadth first.
    static std::vector<int> linkFailures(Field& field, const Children& children,
                                         const std::vector<std::vector<int>>& ownGuards);
    static void buildTable(Field& field, const Children& children, const std::vector<int>& order,
                           std::size_t tableLimit);
    int next(const Field& field, int node, char16_t c) const;
    // Lowest rule of `field` below `bound` matching `text` (kNone when none); with `all`, every
    // matching rule is added to it.
    int scan(std::size_t field, const QString& text, int bound, std::vector<int>* all) const;
    void gaveUp(int rule, const QString& text) const;

    std::vector<MatchRule> m_rules;
    std::vector<QString> m_forms;        // match form of each plain pattern
    std::vector<RulePattern> m_patterns; // per rule; valid for "patroon" rules
    std::vector<char> m_guarded;         // per rule: its pattern has a required literal
    std::vector<Field> m_fields;
    bool m_active = false;
    mutable std::vector<unsigned> m_guardSeen; // per rule: the pass that last saw its literal
    mutable unsigned m_pass = 0;
    mutable std::vector<RuleGiveUp> m_giveUps;
    mutable int m_giveUpCount = 0;
    mutable QSet<std::pair<int, QString>> m_givenUp;
};

// The give-ups of a matcher in Dutch, for the user; empty when there are none. `describe` names
// rule n (1-based), e.g. "Naam patroon 'x', groep Y"; `window` is where the user mends it.
QString giveUpWarning(const RuleMatcher& matcher, const std::function<QString(int)>& describe,
                      const QString& window);

} // namespace relations
