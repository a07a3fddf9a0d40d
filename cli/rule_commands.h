#pragma once

#include "cli/filtered_tables.h"
#include "cli/rule_arguments.h"

#include <functional>
#include <map>
#include <vector>

// The subcommands every table of rules has in kolvaro-cli (groups, rubrieken): list, add,
// remove, move. Each table says how its rules are read, saved, listed and made.
namespace cli::rulecommands {

template <class Rule> struct RuleTable
{
    QString usage;
    QString target; // the last column of the list and the option of add without "--"
    // Readable for a change: throws GroupRuleError while the table cannot be read whole.
    std::function<std::vector<Rule>(const store::TDataModule1&)> readForChange;
    // Whatever can be read, problems on stderr.
    std::function<std::vector<Rule>(const store::TDataModule1&)> read;
    std::function<void(const store::TDataModule1&, const std::vector<Rule>&)> save;
    std::function<QString(const Rule&)> fieldOf;
    std::function<QString(const Rule&)> targetOf;
    // A checked rule from add's options (veld, soort, patroon and the target).
    std::function<Rule(const std::map<QString, QString>&)> make;
};

inline int usage(const QString& text)
{
    printErr(text);
    return 2;
}

// Opens the tables for writing (which keeps a second program out while the rules change), lets
// `change` edit the rules, saves them and prints what `change` gives back. A rules table that
// cannot be read whole is never replaced.
template <class Rule>
int change(const Context& context, const RuleTable<Rule>& table,
           const std::function<QString(std::vector<Rule>&)>& edit)
{
    return overFilteredTables(context, {}, TableAccess::WriteExisting,
                              [&](store::TDataModule1& data, Output& out) {
                                  std::vector<Rule> rules = table.readForChange(data);
                                  out += edit(rules);
                                  table.save(data, rules);
                              });
}

template <class Rule> int list(const Context& context, const RuleTable<Rule>& table)
{
    if (context.args.size() != 1)
        return usage(table.usage);
    return overFilteredTables(
        context, {}, TableAccess::Read, [&](store::TDataModule1& data, Output& out) {
            out += QStringLiteral("nr\tactief\tveld\tsoort\tpatroon\t") + table.target + u'\n';
            int nr = 0;
            for (const Rule& r : table.read(data))
                out += QStringList{QString::number(++nr),
                                   r.active ? QStringLiteral("T") : QStringLiteral("F"),
                                   table.fieldOf(r),
                                   rulearguments::kindWord(r.kind),
                                   r.pattern,
                                   table.targetOf(r)}
                           .join(u'\t') +
                       u'\n';
        });
}

template <class Rule> int add(const Context& context, const RuleTable<Rule>& table)
{
    const QStringList required{QStringLiteral("--veld"), QStringLiteral("--soort"),
                               QStringLiteral("--patroon"), QStringLiteral("--") + table.target};
    const std::optional<std::map<QString, QString>> options = rulearguments::options(
        context.args, required + QStringList{QStringLiteral("--op")}, required);
    if (!options)
        return usage(table.usage);
    return change<Rule>(context, table, [&](std::vector<Rule>& rules) {
        const Rule rule = table.make(*options);
        const int at = rulearguments::insertionPoint(*options, qsizetype(rules.size()));
        rules.insert(rules.begin() + (at - 1), rule);
        return QString::number(at) + u'\n';
    });
}

// "remove N" and "move N M".
template <class Rule> int reorder(const Context& context, const RuleTable<Rule>& table)
{
    const bool remove = context.args.value(0) == u"remove";
    if (context.args.size() != (remove ? 2 : 3))
        return usage(table.usage);
    return change<Rule>(context, table, [&](std::vector<Rule>& rules) {
        if (remove)
            rulearguments::removeRule(rules, context.args[1]);
        else
            rulearguments::moveRule(rules, context.args[1], context.args[2]);
        return QString();
    });
}

// Runs the subcommand of context.args[0]: list, add, remove and move of `table`, the rest from
// `more`.
template <class Rule>
int run(const Context& context, const RuleTable<Rule>& table,
        const std::map<QString, int (*)(const Context&)>& more)
{
    const QString command = context.args.value(0);
    if (command == u"list")
        return list(context, table);
    if (command == u"add")
        return add(context, table);
    if (command == u"remove" || command == u"move")
        return reorder(context, table);
    const auto other = more.find(command);
    return other == more.end() ? usage(table.usage) : other->second(context);
}

} // namespace cli::rulecommands
