#pragma once

#include "app/rules_dialog.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace app {

// A rules dialog over rules of one type: it holds the rules being edited and adds, changes,
// deletes and moves them; the derived class shows, tests, saves and undoes them.
template <typename Rule> class RuleListDialog : public RulesDialog
{
public:
    // Opens the rule editor: the edited rule, or nothing when cancelled (tests answer it instead
    // of a user).
    using EditRule = std::function<std::optional<Rule>(const Rule&, QWidget* parent)>;

    const std::vector<Rule>& rules() const { return m_rules; }

    void changeRule() override
    {
        const int r = currentRule();
        if (r < 0)
            return;
        if (const auto rule = m_editRule(m_rules[std::size_t(r)], this)) {
            m_rules[std::size_t(r)] = *rule;
            refresh(r);
        }
    }

protected:
    RuleListDialog(const Texts& texts, guard::Guard guard, EditRule editRule,
                   std::vector<Rule> rules, QWidget* parent)
        : RulesDialog(texts, std::move(guard), parent), m_editRule(std::move(editRule)),
          m_rules(std::move(rules))
    {
    }

    // The editor opened on `blank`; the new rule goes after the current one, last when there
    // is none.
    void addRuleFrom(const Rule& blank)
    {
        if (const auto rule = m_editRule(blank, this)) {
            const int at = currentRule() < 0 ? int(m_rules.size()) : currentRule() + 1;
            m_rules.insert(m_rules.begin() + at, *rule);
            refresh(at);
        }
    }

    int ruleCount() const override { return int(m_rules.size()); }
    void eraseRule(int row) override { m_rules.erase(m_rules.begin() + row); }
    void swapRules(int row, int other) override
    {
        std::swap(m_rules[std::size_t(row)], m_rules[std::size_t(other)]);
    }

    EditRule m_editRule;
    std::vector<Rule> m_rules;
};

} // namespace app
