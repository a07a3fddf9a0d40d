#include "categories/category_resolver.h"

#include <array>

using namespace Qt::StringLiterals;

namespace categories {

namespace {

constexpr int kFields = 4; // CategoryField's values index the matcher's texts

std::vector<relations::MatchRule> matchRules(const std::vector<CategoryRule>& rules)
{
    std::vector<relations::MatchRule> list;
    list.reserve(rules.size());
    for (const CategoryRule& rule : rules)
        list.push_back({rule.active, static_cast<int>(rule.field), rule.kind, rule.pattern});
    return list;
}

std::array<QString, kFields> textsOf(const CategoryTexts& texts)
{
    return {texts.groep, texts.naam, texts.omschrijving, texts.reknum};
}

} // namespace

CategoryResolver::CategoryResolver(std::vector<CategoryRule> rules, OwnAccounts own)
    : m_rules(std::move(rules)), m_own(std::move(own)), m_matcher(kFields, matchRules(m_rules))
{
}

bool CategoryResolver::uses(CategoryField field) const
{
    return m_matcher.fieldCount() > 0 && m_matcher.uses(static_cast<int>(field));
}

CategoryMatch CategoryResolver::match(const CategoryTexts& texts) const
{
    if (m_own.matches(texts.reknum))
        return {kEigenRekening, 0, true};
    if (!m_matcher.hasActiveRules())
        return {kOverig, 0, false};
    const int found = m_matcher.first(textsOf(texts));
    if (found < 0)
        return {kOverig, 0, false};
    return {m_rules[static_cast<std::size_t>(found)].category, found + 1, false};
}

std::vector<int> CategoryResolver::allMatches(const CategoryTexts& texts) const
{
    std::vector<int> numbers;
    if (!m_matcher.hasActiveRules())
        return numbers;
    for (const int index : m_matcher.all(textsOf(texts)))
        numbers.push_back(index + 1);
    return numbers;
}

QString CategoryResolver::giveUpWarning() const
{
    return relations::giveUpWarning(
        m_matcher,
        [this](int number) {
            const CategoryRule& rule = m_rules[static_cast<std::size_t>(number - 1)];
            return u"%1 patroon '%2', rubriek %3"_s.arg(fieldName(rule.field), rule.pattern,
                                                        rule.category);
        },
        u"Rubrieken"_s);
}

QString whyText(const CategoryMatch& match, const CategoryTexts& texts,
                const std::vector<CategoryRule>& rules)
{
    if (match.ownAccount)
        return u"Eigen rekening: %1 staat in de lijst van eigen rekeningen → %2"_s.arg(
            texts.reknum, kEigenRekening);
    if (match.rule <= 0 || match.rule > static_cast<int>(rules.size()))
        return u"geen regel: %1"_s.arg(kOverig);
    const CategoryRule& rule = rules[static_cast<std::size_t>(match.rule - 1)];
    return u"Regel %1: %2 %3 \"%4\" → %5"_s.arg(match.rule)
        .arg(fieldName(rule.field), relations::kindName(rule.kind), rule.pattern, rule.category);
}

} // namespace categories
