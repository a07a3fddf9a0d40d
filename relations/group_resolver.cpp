#include "relations/group_resolver.h"

#include <algorithm>
#include <limits>

namespace relations {

namespace {

constexpr int kNone = std::numeric_limits<int>::max();
// Beyond this many distinct texts (rules on descriptions, which are nearly all distinct) the
// cache would cost more memory than it saves time; it starts again empty.
constexpr qsizetype kCacheLimit = 200000;

std::size_t slot(RuleField field)
{
    return static_cast<std::size_t>(field);
}

void keepLowest(QHash<QString, int>& hash, const QString& key, int index)
{
    const auto it = hash.find(key);
    if (it == hash.end())
        hash.insert(key, index);
    else
        *it = std::min(*it, index);
}

} // namespace

GroupResolver::GroupResolver(std::vector<GroupRule> rules) : m_rules(std::move(rules))
{
    m_forms.resize(m_rules.size());
    m_expressions.resize(m_rules.size());
    for (std::size_t i = 0; i < m_rules.size(); ++i) {
        const GroupRule& rule = m_rules[i];
        if (!rule.active || rule.pattern.simplified().isEmpty())
            continue;
        const int index = static_cast<int>(i);
        FieldRules& f = m_fields[slot(rule.field)];
        m_forms[i] = matchForm(rule.pattern);
        switch (rule.kind) {
        case RuleKind::Equal:
            keepLowest(f.equal, m_forms[i], index);
            break;
        case RuleKind::BeginsWith:
            keepLowest(f.begins, m_forms[i], index);
            f.beginsSizes.push_back(static_cast<int>(m_forms[i].size()));
            break;
        case RuleKind::Pattern:
            m_expressions[i] = QRegularExpression(rule.pattern.simplified(),
                                                  QRegularExpression::CaseInsensitiveOption);
            if (!m_expressions[i].isValid())
                continue;
            m_expressions[i].optimize();
            m_scanned.push_back(index);
            break;
        case RuleKind::Contains:
            m_scanned.push_back(index);
            break;
        }
        m_uses[slot(rule.field)] = true;
        m_active = true;
    }
    for (FieldRules& f : m_fields) {
        std::sort(f.beginsSizes.begin(), f.beginsSizes.end());
        f.beginsSizes.erase(std::unique(f.beginsSizes.begin(), f.beginsSizes.end()),
                            f.beginsSizes.end());
    }
}

std::array<QString, 3> GroupResolver::formsOf(const RuleTexts& texts) const
{
    std::array<QString, 3> forms;
    if (uses(RuleField::Naam))
        forms[slot(RuleField::Naam)] = matchForm(texts.naam);
    if (uses(RuleField::Omschrijving))
        forms[slot(RuleField::Omschrijving)] = matchForm(texts.omschrijving);
    if (uses(RuleField::Reknum))
        forms[slot(RuleField::Reknum)] = matchForm(texts.reknum);
    return forms;
}

bool GroupResolver::matches(std::size_t rule, const std::array<QString, 3>& forms) const
{
    const GroupRule& r = m_rules[rule];
    if (!r.active || m_forms[rule].isEmpty())
        return false;
    const QString& text = forms[slot(r.field)];
    switch (r.kind) {
    case RuleKind::Equal:
        return text == m_forms[rule];
    case RuleKind::BeginsWith:
        return text.startsWith(m_forms[rule]);
    case RuleKind::Contains:
        return text.contains(m_forms[rule]);
    case RuleKind::Pattern:
        return m_expressions[rule].isValid() && m_expressions[rule].match(text).hasMatch();
    }
    return false;
}

GroupMatch GroupResolver::match(const RuleTexts& texts) const
{
    if (!m_active)
        return {texts.naam, 0};
    const std::array<QString, 3> forms = formsOf(texts);
    int best = kNone;
    for (std::size_t s = 0; s < m_fields.size(); ++s) {
        const FieldRules& f = m_fields[s];
        const QString& text = forms[s];
        if (const auto it = f.equal.find(text); it != f.equal.end())
            best = std::min(best, *it);
        for (const int size : f.beginsSizes) {
            if (size > text.size())
                break;
            if (const auto it = f.begins.find(text.left(size)); it != f.begins.end())
                best = std::min(best, *it);
        }
    }
    // Only rules before the best hash hit can still win.
    for (const int index : m_scanned) {
        if (index >= best)
            break;
        if (matches(static_cast<std::size_t>(index), forms)) {
            best = index;
            break;
        }
    }
    if (best == kNone)
        return {texts.naam, 0};
    return {m_rules[static_cast<std::size_t>(best)].group, best + 1};
}

std::vector<int> GroupResolver::allMatches(const RuleTexts& texts) const
{
    std::vector<int> numbers;
    if (!m_active)
        return numbers;
    const std::array<QString, 3> forms = formsOf(texts);
    for (std::size_t i = 0; i < m_rules.size(); ++i)
        if (matches(i, forms))
            numbers.push_back(static_cast<int>(i) + 1);
    return numbers;
}

QString GroupResolver::group(const RuleTexts& texts) const
{
    if (!m_active)
        return texts.naam;
    // The texts the rules do not look at take no part in the key.
    QString key = texts.naam;
    if (uses(RuleField::Omschrijving))
        key += QChar(0x1f) + texts.omschrijving;
    if (uses(RuleField::Reknum))
        key += QChar(0x1f) + texts.reknum;
    if (const auto it = m_cache.constFind(key); it != m_cache.constEnd())
        return *it;
    if (m_cache.size() >= kCacheLimit)
        m_cache.clear();
    QString found = match(texts).group;
    m_cache.insert(key, found);
    return found;
}

} // namespace relations
