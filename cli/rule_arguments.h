#pragma once

#include "relations/group_rule.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// The arguments the rule commands share (groups and rubrieken): rule numbers, the options of
// "add", "remove N", "move N M" and "test [--veld V] TEXT".
namespace cli::rulearguments {

// The rule list's soort as scripts write it: one word.
QString kindWord(relations::RuleKind kind);

// A rule number (1-based) of a list of `count` rules; `end` allows count + 1 (after the last).
// Throws GroupRuleError.
int ruleNumber(const QString& text, qsizetype count, bool end = false);

// "--name value" pairs after the subcommand, each of `allowed` at most once, all of `required`
// present; nothing when the arguments are otherwise.
std::optional<std::map<QString, QString>>
options(const QStringList& args, const QStringList& allowed, const QStringList& required);

// "test [--veld V] TEXT": the field (or `defaultField`) and the text; nothing on bad usage.
std::optional<std::pair<QString, QString>> testArguments(const QStringList& args,
                                                         const QString& defaultField);

// Where "add --op N" puts a new rule in a list of `count` (after the last without it).
int insertionPoint(const std::map<QString, QString>& options, qsizetype count);

template <class Rule> void removeRule(std::vector<Rule>& rules, const QString& number)
{
    const int n = ruleNumber(number, qsizetype(rules.size()));
    rules.erase(rules.begin() + (n - 1));
}

template <class Rule>
void moveRule(std::vector<Rule>& rules, const QString& fromText, const QString& toText)
{
    const int from = ruleNumber(fromText, qsizetype(rules.size()));
    const int to = ruleNumber(toText, qsizetype(rules.size()));
    Rule rule = rules[std::size_t(from - 1)];
    rules.erase(rules.begin() + (from - 1));
    rules.insert(rules.begin() + (to - 1), rule);
}

} // namespace cli::rulearguments
