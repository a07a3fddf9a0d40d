#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filtered_tables.h"

#include "pipeline/passes.h"
#include "relations/group_changes.h"
#include "relations/group_rebuild.h"
#include "relations/group_resolver.h"
#include "relations/group_rules_file.h"
#include "store/dbase/field_codec.h"

#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

const QString kUsage =
    u"usage: kolvaro-cli [--tables DIR] groups list\n"
    u"       kolvaro-cli groups add --veld V --soort S --patroon P --groep G [--op N]\n"
    u"       kolvaro-cli groups remove N | move N M | test [--veld V] TEXT\n"
    u"       kolvaro-cli groups apply [--dry-run] | undo"_s;

int usage()
{
    printErr(kUsage);
    return 2;
}

// The rule list's soort as scripts write it: one word.
QString kindWord(relations::RuleKind kind)
{
    return kind == relations::RuleKind::BeginsWith ? u"begint"_s : relations::kindName(kind);
}

QString cents(double value)
{
    return dbase::codec::shortestDouble(std::round(value * 100.0) / 100.0);
}

// A rule number (1-based) of a list of `count` rules; `end` allows count + 1 (after the last).
int ruleNumber(const QString& text, qsizetype count, bool end = false)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    const qsizetype last = end ? count + 1 : count;
    if (!ok || n < 1 || n > last)
        throw relations::GroupRuleError(
            u"Er is geen regel %1: kies een nummer van 1 tot en met %2."_s.arg(text).arg(last));
    return n;
}

// Opens the tables for writing (which keeps a second program out while the rules change), lets
// `change` edit the rules, saves them and prints what `change` gives back. A rules table that
// cannot be read whole is never replaced.
int changeRules(const Context& context,
                const std::function<QString(std::vector<relations::GroupRule>&)>& change)
{
    return overFilteredTables(
        context, {}, TableAccess::WriteExisting, [&](store::TDataModule1& data, Output& out) {
            std::vector<relations::GroupRule> rules = relations::readableGroupRules(data);
            out += change(rules);
            relations::saveGroupRules(data.T1.directory(), rules);
        });
}

int list(const Context& context)
{
    if (context.args.size() != 1)
        return usage();
    return overFilteredTables(context, {}, TableAccess::Read,
                              [](store::TDataModule1& data, Output& out) {
                                  out += u"nr\tactief\tveld\tsoort\tpatroon\tgroep\n"_s;
                                  int nr = 0;
                                  for (const relations::GroupRule& r : groupRules(data, false))
                                      out += QStringList{QString::number(++nr),
                                                         r.active ? u"T"_s : u"F"_s,
                                                         relations::fieldName(r.field),
                                                         kindWord(r.kind),
                                                         r.pattern,
                                                         r.group}
                                                 .join(u'\t') +
                                             u'\n';
                              });
}

int add(const Context& context)
{
    std::map<QString, QString> options;
    for (qsizetype i = 1; i < context.args.size(); i += 2) {
        const QString& name = context.args[i];
        if (i + 1 >= context.args.size() ||
            !QStringList{u"--veld"_s, u"--soort"_s, u"--patroon"_s, u"--groep"_s, u"--op"_s}
                 .contains(name) ||
            options.contains(name))
            return usage();
        options[name] = context.args[i + 1];
    }
    for (const QString& required : {u"--veld"_s, u"--soort"_s, u"--patroon"_s, u"--groep"_s})
        if (!options.contains(required))
            return usage();
    return changeRules(context, [&](std::vector<relations::GroupRule>& rules) {
        relations::GroupRule rule;
        rule.field = relations::parseField(options[u"--veld"_s]);
        rule.kind = relations::parseKind(options[u"--soort"_s]);
        rule.pattern = options[u"--patroon"_s];
        rule.group = options[u"--groep"_s];
        rule = relations::checkedRule(rule);
        const int at = options.contains(u"--op"_s)
                           ? ruleNumber(options[u"--op"_s], qsizetype(rules.size()), true)
                           : int(rules.size()) + 1;
        rules.insert(rules.begin() + (at - 1), rule);
        return QString::number(at) + u'\n';
    });
}

int remove(const Context& context)
{
    if (context.args.size() != 2)
        return usage();
    return changeRules(context, [&](std::vector<relations::GroupRule>& rules) {
        const int n = ruleNumber(context.args[1], qsizetype(rules.size()));
        rules.erase(rules.begin() + (n - 1));
        return QString();
    });
}

int move(const Context& context)
{
    if (context.args.size() != 3)
        return usage();
    return changeRules(context, [&](std::vector<relations::GroupRule>& rules) {
        const int from = ruleNumber(context.args[1], qsizetype(rules.size()));
        const int to = ruleNumber(context.args[2], qsizetype(rules.size()));
        relations::GroupRule rule = rules[std::size_t(from - 1)];
        rules.erase(rules.begin() + (from - 1));
        rules.insert(rules.begin() + (to - 1), rule);
        return QString();
    });
}

int test(const Context& context)
{
    QString field = u"Naam"_s;
    QStringList rest = context.args.mid(1);
    if (rest.size() == 3 && rest[0] == u"--veld") {
        field = rest[1];
        rest = rest.mid(2);
    }
    if (rest.size() != 1)
        return usage();
    return overFilteredTables(context, {}, TableAccess::Read,
                              [&](store::TDataModule1& data, Output& out) {
                                  const relations::GroupResolver groups(groupRules(data, false));
                                  relations::RuleTexts texts;
                                  switch (relations::parseField(field)) {
                                  case relations::RuleField::Naam:
                                      texts.naam = rest[0];
                                      break;
                                  case relations::RuleField::Omschrijving:
                                      texts.omschrijving = rest[0];
                                      break;
                                  case relations::RuleField::Reknum:
                                      texts.reknum = rest[0];
                                      break;
                                  }
                                  const relations::GroupMatch match = groups.match(texts);
                                  warnGiveUps(groups);
                                  out += match.group + u'\t' + QString::number(match.rule) + u'\n';
                              });
}

int apply(const Context& context)
{
    const bool dryRun = context.args.size() == 2 && context.args[1] == u"--dry-run";
    if (context.args.size() != 1 && !dryRun)
        return usage();
    const TableAccess access = dryRun ? TableAccess::Read : TableAccess::WriteExisting;
    return overFilteredTables(context, {}, access, [&](store::TDataModule1& data, Output& out) {
        if (dryRun) {
            QString warning;
            for (const relations::GroupChange& c : relations::plannedRebuild(data, &warning))
                out +=
                    QStringList{c.jaar, c.group, cents(c.oldTotal), cents(c.newTotal)}.join(u'\t') +
                    u'\n';
            warnText(warning);
        } else {
            const relations::RebuildResult result = pipeline::rebuildGroups(data);
            warnText(result.warning);
            out += QString::number(result.rows) + u'\n';
        }
    });
}

int undo(const Context& context)
{
    if (context.args.size() != 1)
        return usage();
    return overFilteredTables(context, {}, TableAccess::WriteExisting,
                              [](store::TDataModule1& data, Output& out) {
                                  const relations::RebuildResult result = pipeline::undoRules(data);
                                  warnText(result.warning);
                                  out += QString::number(result.rows) + u'\n';
                              });
}

} // namespace

int groups(const Context& context)
{
    const std::map<QString, int (*)(const Context&)> commands = {
        {u"list"_s, list}, {u"add"_s, add},     {u"remove"_s, remove}, {u"move"_s, move},
        {u"test"_s, test}, {u"apply"_s, apply}, {u"undo"_s, undo},
    };
    if (context.args.isEmpty())
        return usage();
    const auto command = commands.find(context.args[0]);
    return command == commands.end() ? usage() : command->second(context);
}

} // namespace cli
