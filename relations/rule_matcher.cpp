#include "relations/rule_matcher.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>

#include <QStringList>

using namespace Qt::StringLiterals;

namespace relations {

namespace {

// A field's memory of texts pays when texts come back (names); for texts that are nearly all
// distinct (descriptions) it costs more than it saves, and is dropped after this many lookups.
constexpr int kCacheTrial = 4096;
constexpr qsizetype kCacheLimit = 200000;

} // namespace

RuleMatcher::RuleMatcher(int fields, const std::vector<MatchRule>& rules, std::size_t tableLimit)
    : m_rules(rules), m_forms(rules.size()), m_patterns(rules.size()), m_guarded(rules.size(), 0),
      m_fields(static_cast<std::size_t>(std::clamp(fields, 0, kMaxFields))),
      m_guardSeen(rules.size(), 0)
{
    using Entries = std::vector<std::pair<QString, int>>;
    std::vector<Entries> plain(m_fields.size()), guards(m_fields.size());
    for (std::size_t i = 0; i < m_rules.size(); ++i) {
        const MatchRule& rule = m_rules[i];
        if (!rule.active || rule.field < 0 || rule.field >= fieldCount())
            continue;
        const auto field = static_cast<std::size_t>(rule.field);
        const int index = static_cast<int>(i);
        if (rule.kind == RuleKind::Pattern) {
            const QString pattern = rule.pattern.simplified();
            if (pattern.isEmpty())
                continue;
            m_patterns[i] = RulePattern(pattern);
            if (!m_patterns[i].isValid())
                continue; // never saved so; skipped like a rule that matches nothing
            const QString literal = RulePattern::requiredLiteral(pattern);
            if (!literal.isEmpty()) {
                m_guarded[i] = 1;
                guards[field].emplace_back(literal, index);
            }
            m_fields[field].patterns.push_back(index);
        } else {
            m_forms[i] = matchForm(rule.pattern);
            if (m_forms[i].isEmpty())
                continue;
            plain[field].emplace_back(m_forms[i], index);
        }
        m_fields[field].used = true;
        m_active = true;
    }
    for (std::size_t f = 0; f < m_fields.size(); ++f)
        if (m_fields[f].used)
            build(m_fields[f], plain[f], guards[f], tableLimit);
}

void RuleMatcher::build(Field& field, const std::vector<std::pair<QString, int>>& plain,
                        const std::vector<std::pair<QString, int>>& guards, std::size_t tableLimit)
{
    Children children(1);
    std::vector<Node>& nodes = field.nodes;
    nodes.assign(1, Node{});
    std::vector<std::vector<int>> ownGuards(1);
    const auto insert = [&](const QString& text) {
        int node = 0;
        for (const QChar c : text) {
            const auto it = children[std::size_t(node)].find(c.unicode());
            if (it != children[std::size_t(node)].end()) {
                node = it->second;
                continue;
            }
            const int added = static_cast<int>(nodes.size());
            children[std::size_t(node)].emplace(c.unicode(), added);
            nodes.push_back(Node{});
            nodes.back().depth = nodes[std::size_t(node)].depth + 1;
            children.emplace_back();
            ownGuards.emplace_back();
            node = added;
        }
        return static_cast<std::size_t>(node);
    };
    for (const auto& [text, rule] : plain) {
        Node& node = nodes[insert(text)];
        node.rules.push_back(rule);
        int& lowest = m_rules[std::size_t(rule)].kind == RuleKind::Equal        ? node.equal
                      : m_rules[std::size_t(rule)].kind == RuleKind::BeginsWith ? node.begins
                                                                                : node.contains;
        lowest = std::min(lowest, rule);
    }
    for (const auto& [text, rule] : guards)
        ownGuards[insert(text)].push_back(rule);

    flattenEdges(field, children);
    buildTable(field, children, linkFailures(field, children, ownGuards), tableLimit);
}

void RuleMatcher::flattenEdges(Field& field, const Children& children)
{
    const std::vector<Node>& nodes = field.nodes;
    // The edges, flat and sorted per node; the root's also as a table over every UTF-16 unit.
    field.edgeBegin.assign(nodes.size() + 1, 0);
    for (std::size_t n = 0; n < nodes.size(); ++n) {
        field.edgeBegin[n] = static_cast<int>(field.edgeChar.size());
        for (const auto& [c, target] : children[n]) {
            field.edgeChar.push_back(c);
            field.edgeTarget.push_back(target);
        }
    }
    field.edgeBegin[nodes.size()] = static_cast<int>(field.edgeChar.size());
    field.rootNext.assign(0x10000, 0);
    for (const auto& [c, target] : children[0])
        field.rootNext[c] = target;
}

std::vector<int> RuleMatcher::linkFailures(Field& field, const Children& children,
                                           const std::vector<std::vector<int>>& ownGuards)
{
    std::vector<Node>& nodes = field.nodes;
    // Failure links breadth first: a node's suffix nodes are done before it.
    std::deque<int> queue;
    std::vector<int> order{0}; // breadth first: a node after its failure node
    for (const auto& [c, target] : children[0])
        queue.push_back(target);
    nodes[0].output = -1;
    while (!queue.empty()) {
        const auto n = static_cast<std::size_t>(queue.front());
        queue.pop_front();
        order.push_back(static_cast<int>(n));
        Node& node = nodes[n];
        const Node& fail = nodes[std::size_t(node.fail)];
        node.contains = std::min(node.contains, fail.contains);
        node.output = fail.rules.empty() ? fail.output : node.fail;
        node.guards = ownGuards[n];
        node.guards.insert(node.guards.end(), fail.guards.begin(), fail.guards.end());
        for (const auto& [c, target] : children[n]) {
            int f = node.fail;
            while (f != 0 && !children[std::size_t(f)].contains(c))
                f = nodes[std::size_t(f)].fail;
            const auto it = children[std::size_t(f)].find(c);
            nodes[std::size_t(target)].fail =
                it != children[std::size_t(f)].end() && it->second != target ? it->second : 0;
            queue.push_back(target);
        }
    }
    return order;
}

void RuleMatcher::buildTable(Field& field, const Children& children, const std::vector<int>& order,
                             std::size_t tableLimit)
{
    const std::vector<Node>& nodes = field.nodes;
    // The table: a node's row is its failure node's row with its own edges written over it.
    field.classOf.assign(0x10000, 0);
    for (const char16_t c : field.edgeChar)
        if (field.classOf[c] == 0)
            field.classOf[c] = static_cast<std::uint16_t>(++field.classes);
    ++field.classes;
    if (nodes.size() > tableLimit / field.classes) {
        field.classes = 0;
        field.classOf.clear();
        return;
    }
    field.table.assign(nodes.size() * field.classes, 0);
    for (const int n : order) {
        const auto row = field.table.begin() + std::ptrdiff_t(std::size_t(n) * field.classes);
        if (n != 0)
            std::copy_n(field.table.begin() +
                            std::ptrdiff_t(std::size_t(nodes[std::size_t(n)].fail) * field.classes),
                        field.classes, row);
        for (const auto& [c, target] : children[std::size_t(n)])
            row[field.classOf[c]] = target;
    }
    field.rootNext = {};
}

int RuleMatcher::next(const Field& field, int node, char16_t c) const
{
    if (field.classes > 0)
        return field.table[std::size_t(node) * field.classes + field.classOf[c]];
    while (node != 0) {
        const auto begin = field.edgeChar.begin() + field.edgeBegin[std::size_t(node)];
        const auto end = field.edgeChar.begin() + field.edgeBegin[std::size_t(node) + 1];
        const auto it = std::lower_bound(begin, end, c);
        if (it != end && *it == c)
            return field.edgeTarget[std::size_t(it - field.edgeChar.begin())];
        node = field.nodes[std::size_t(node)].fail;
    }
    return field.rootNext[c];
}

int RuleMatcher::scan(std::size_t f, const QString& raw, int bound, std::vector<int>* all) const
{
    const Field& field = m_fields[f];
    const QString text = matchForm(raw);
    if (++m_pass == 0) { // wrapped: forget every earlier pass
        std::fill(m_guardSeen.begin(), m_guardSeen.end(), 0u);
        m_pass = 1;
    }
    const auto own = [&](const Node& node, RuleKind kind) {
        for (const int rule : node.rules)
            if (m_rules[std::size_t(rule)].kind == kind)
                all->push_back(rule);
    };
    int best = kNone;
    int node = 0;
    bool onPath = true; // the text so far is a path from the root: "begint met" can still match
    for (qsizetype i = 0; i < text.size(); ++i) {
        node = next(field, node, text[i].unicode());
        const Node& n = field.nodes[std::size_t(node)];
        onPath = onPath && n.depth == i + 1;
        if (onPath) {
            best = std::min(best, n.begins);
            if (all)
                own(n, RuleKind::BeginsWith);
        }
        best = std::min(best, n.contains);
        for (const int rule : n.guards)
            m_guardSeen[std::size_t(rule)] = m_pass;
        if (all)
            for (int o = n.rules.empty() ? n.output : node; o > 0;
                 o = field.nodes[std::size_t(o)].output)
                own(field.nodes[std::size_t(o)], RuleKind::Contains);
    }
    if (onPath && field.nodes[std::size_t(node)].depth == text.size()) {
        best = std::min(best, field.nodes[std::size_t(node)].equal);
        if (all)
            own(field.nodes[std::size_t(node)], RuleKind::Equal);
    }
    // Only "patroon" rules before the first plain match (and before the bound) can still win.
    for (const int rule : field.patterns) {
        if (!all && rule >= std::min(best, bound))
            break;
        const auto r = static_cast<std::size_t>(rule);
        if (m_guarded[r] && m_guardSeen[r] != m_pass)
            continue; // the text lacks a piece every match has
        switch (m_patterns[r].search(text)) {
        case RulePattern::Outcome::Match:
            if (all) {
                all->push_back(rule);
                continue;
            }
            return rule;
        case RulePattern::Outcome::GaveUp:
            gaveUp(rule, raw);
            break;
        case RulePattern::Outcome::NoMatch:
            break;
        }
    }
    return best;
}

int RuleMatcher::first(std::span<const QString> texts) const
{
    if (!m_active)
        return -1;
    int best = kNone;
    // Fields whose texts are remembered first: their answers bound the scans of the others.
    std::uint64_t pending = 0; // fields to scan, one bit each
    for (std::size_t f = 0; f < m_fields.size(); ++f) {
        const Field& field = m_fields[f];
        if (!field.used)
            continue;
        if (field.lookups >= 0) {
            ++field.lookups;
            if (const auto it = field.cache.constFind(texts[f]); it != field.cache.constEnd()) {
                ++field.hits;
                best = std::min(best, *it);
                continue;
            }
            if (field.lookups == kCacheTrial && field.hits * 8 < field.lookups) {
                field.cache.clear();
                field.lookups = -1; // remembers nothing from now on
            }
        }
        pending |= std::uint64_t(1) << f;
    }
    for (std::size_t f = 0; f < m_fields.size(); ++f) {
        if (!(pending & (std::uint64_t(1) << f)))
            continue;
        const Field& field = m_fields[f];
        const int found = scan(f, texts[f], best, nullptr);
        // The answer is the field's own only when no bound cut the scan short.
        if (field.lookups >= 0 && (found < best || best == kNone)) {
            if (field.cache.size() >= kCacheLimit)
                field.cache.clear();
            field.cache.insert(texts[f], found);
        }
        best = std::min(best, found);
    }
    return best == kNone ? -1 : best;
}

std::vector<int> RuleMatcher::all(std::span<const QString> texts) const
{
    std::vector<int> found;
    if (!m_active)
        return found;
    for (std::size_t f = 0; f < m_fields.size(); ++f)
        if (m_fields[f].used)
            scan(f, texts[f], kNone, &found);
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

void RuleMatcher::gaveUp(int rule, const QString& text) const
{
    if (m_givenUp.contains({rule, text}))
        return;
    m_givenUp.insert({rule, text});
    ++m_giveUpCount;
    if (m_giveUps.size() < kGiveUpsKept)
        m_giveUps.push_back({rule + 1, text});
}

void RuleMatcher::clearGiveUps() const
{
    m_giveUps.clear();
    m_givenUp.clear();
    m_giveUpCount = 0;
}

QString giveUpWarning(const RuleMatcher& matcher, const std::function<QString(int)>& describe,
                      const QString& window)
{
    if (matcher.giveUps().empty())
        return {};
    QStringList lines{u"Let op: een patroon vroeg te veel rekenwerk en is opgegeven; de regel "
                      u"telde daar als niet passend:"_s};
    for (const RuleGiveUp& g : matcher.giveUps())
        lines << u"  regel %1 (%2) bij de tekst '%3'"_s.arg(g.rule).arg(describe(g.rule), g.text);
    const int kept = static_cast<int>(matcher.giveUps().size());
    if (matcher.giveUpCount() > kept)
        lines << u"  en nog %1 keer."_s.arg(matcher.giveUpCount() - kept);
    lines << u"Maak zo'n patroon eenvoudiger in het venster %1."_s.arg(window);
    return lines.join(u'\n');
}

} // namespace relations
