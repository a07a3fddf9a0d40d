#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filtered_tables.h"
#include "cli/rule_commands.h"

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

QString cents(double value)
{
    return dbase::codec::shortestDouble(std::round(value * 100.0) / 100.0);
}

const rulecommands::RuleTable<relations::GroupRule>& rulesTable()
{
    static const rulecommands::RuleTable<relations::GroupRule> table{
        kUsage,
        u"groep"_s,
        [](const store::TDataModule1& data) { return relations::readableGroupRules(data); },
        [](const store::TDataModule1& data) { return groupRules(data, false); },
        [](const store::TDataModule1& data, const std::vector<relations::GroupRule>& rules) {
            relations::saveGroupRules(data.T1.directory(), rules);
        },
        [](const relations::GroupRule& r) { return relations::fieldName(r.field); },
        [](const relations::GroupRule& r) { return r.group; },
        [](const std::map<QString, QString>& options) {
            relations::GroupRule rule;
            rule.field = relations::parseField(options.at(u"--veld"_s));
            rule.kind = relations::parseKind(options.at(u"--soort"_s));
            rule.pattern = options.at(u"--patroon"_s);
            rule.group = options.at(u"--groep"_s);
            return relations::checkedRule(rule);
        }};
    return table;
}

int test(const Context& context)
{
    const auto arguments = rulearguments::testArguments(context.args, u"Naam"_s);
    if (!arguments)
        return usage();
    const auto& [field, text] = *arguments;
    return overFilteredTables(context, {}, TableAccess::Read,
                              [&](store::TDataModule1& data, Output& out) {
                                  const relations::GroupResolver groups(groupRules(data, false));
                                  relations::RuleTexts texts;
                                  switch (relations::parseField(field)) {
                                  case relations::RuleField::Naam:
                                      texts.naam = text;
                                      break;
                                  case relations::RuleField::Omschrijving:
                                      texts.omschrijving = text;
                                      break;
                                  case relations::RuleField::Reknum:
                                      texts.reknum = text;
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
    return rulecommands::run(context, rulesTable(),
                             {{u"test"_s, test}, {u"apply"_s, apply}, {u"undo"_s, undo}});
}

} // namespace cli
