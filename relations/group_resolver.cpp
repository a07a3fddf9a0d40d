#include "relations/group_resolver.h"

#include <array>

using namespace Qt::StringLiterals;

namespace relations {

namespace {

constexpr int kFields = 3; // RuleField's values index the matcher's texts

std::vector<MatchRule> matchRules(const std::vector<GroupRule>& rules)
{
    std::vector<MatchRule> list;
    list.reserve(rules.size());
    for (const GroupRule& rule : rules)
        list.push_back({rule.active, static_cast<int>(rule.field), rule.kind, rule.pattern});
    return list;
}

std::array<QString, kFields> textsOf(const RuleTexts& texts)
{
    return {texts.naam, texts.omschrijving, texts.reknum};
}

} // namespace

GroupResolver::GroupResolver(std::vector<GroupRule> rules)
    : m_rules(std::move(rules)), m_matcher(kFields, matchRules(m_rules))
{
}

bool GroupResolver::uses(RuleField field) const
{
    return m_matcher.fieldCount() > 0 && m_matcher.uses(static_cast<int>(field));
}

int GroupResolver::first(const RuleTexts& texts) const
{
    if (!m_matcher.hasActiveRules())
        return -1;
    const std::array<QString, kFields> all = textsOf(texts);
    return m_matcher.first(all);
}

GroupMatch GroupResolver::match(const RuleTexts& texts) const
{
    const int found = first(texts);
    if (found < 0)
        return {texts.naam, 0};
    return {m_rules[static_cast<std::size_t>(found)].group, found + 1};
}

std::vector<int> GroupResolver::allMatches(const RuleTexts& texts) const
{
    std::vector<int> numbers;
    if (!m_matcher.hasActiveRules())
        return numbers;
    const std::array<QString, kFields> all = textsOf(texts);
    for (const int index : m_matcher.all(all))
        numbers.push_back(index + 1);
    return numbers;
}

QString GroupResolver::group(const RuleTexts& texts) const
{
    const int found = first(texts);
    return found < 0 ? texts.naam : m_rules[static_cast<std::size_t>(found)].group;
}

QString GroupResolver::giveUpWarning() const
{
    return relations::giveUpWarning(
        m_matcher,
        [this](int number) {
            const GroupRule& rule = m_rules[static_cast<std::size_t>(number - 1)];
            return u"%1 patroon '%2', groep %3"_s.arg(fieldName(rule.field), rule.pattern,
                                                      rule.group);
        },
        u"Relatiegroepen"_s);
}

} // namespace relations
