#pragma once

#include "categories/category_rule.h"
#include "categories/own_accounts.h"
#include "relations/rule_matcher.h"

#include <QString>
#include <vector>

namespace categories {

// The texts of a transaction the category rules read.
struct CategoryTexts
{
    QString groep;
    QString naam;
    QString omschrijving;
    QString reknum;
};

struct CategoryMatch
{
    QString category; // the rule's category, kEigenRekening, or kOverig
    int rule = 0;     // 1-based number of the deciding rule; 0 when none
    bool ownAccount = false;
};

// Gives a transaction its category: an own account as counterparty first, then the first active
// rule that matches (one relations::RuleMatcher over the four fields), else "Overig". Const calls
// change the matcher's memory: one thread at a time.
class CategoryResolver
{
public:
    CategoryResolver() = default;
    // Requires rules as checkedRule() gives them.
    CategoryResolver(std::vector<CategoryRule> rules, OwnAccounts own);

    const std::vector<CategoryRule>& rules() const { return m_rules; }
    const OwnAccounts& ownAccounts() const { return m_own; }
    bool uses(CategoryField field) const;

    CategoryMatch match(const CategoryTexts& texts) const;
    // Every active rule that matches, 1-based, ascending: the dialog's counts.
    std::vector<int> allMatches(const CategoryTexts& texts) const;
    // The patterns that gave up on a text, in Dutch; empty when none did.
    QString giveUpWarning() const;
    void clearGiveUps() const { m_matcher.clearGiveUps(); }

private:
    std::vector<CategoryRule> m_rules;
    OwnAccounts m_own;
    relations::RuleMatcher m_matcher;
};

// "Waarom deze rubriek?": the deciding rule ("Regel 3: Omschrijving bevat \"huur\" → Wonen"), the
// own account, or "geen regel: Overig".
QString whyText(const CategoryMatch& match, const CategoryTexts& texts,
                const std::vector<CategoryRule>& rules);

} // namespace categories
