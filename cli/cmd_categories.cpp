#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filtered_tables.h"
#include "cli/rule_commands.h"

#include "categories/category_index.h"
#include "categories/category_rules_file.h"
#include "monthly/amount_totals.h"
#include "store/dbase/field_codec.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

using categories::CategoryRule;

const QString kUsage =
    u"usage: kolvaro-cli [--tables DIR] rubrieken list\n"
    u"       kolvaro-cli rubrieken add --veld V --soort S --patroon P --rubriek R [--op N]\n"
    u"       kolvaro-cli rubrieken remove N | move N M | test [--veld V] TEXT | undo\n"
    u"       kolvaro-cli rubrieken totals --jaar YYYY"_s;

int usage()
{
    return rulecommands::usage(kUsage);
}

QString folderOf(const store::TDataModule1& data)
{
    return data.T1.directory();
}

// The rules of the folder; a table that cannot be read is said on stderr and counts as none.
std::vector<CategoryRule> readRules(const QString& folder)
{
    const categories::LoadedCategoryRules loaded = categories::loadCategoryRules(folder, false);
    for (const QString& problem : loaded.problems)
        printErr(problem);
    return loaded.rules;
}

categories::CategoryResolver resolverOf(const QString& folder)
{
    return {readRules(folder),
            categories::OwnAccounts(categories::loadOwnAccounts(folder).accounts)};
}

std::vector<CategoryRule> readableRules(const store::TDataModule1& data)
{
    const categories::LoadedCategoryRules loaded =
        categories::loadCategoryRules(folderOf(data), false);
    categories::requireReadableCategoryRules(loaded);
    return loaded.rules;
}

const rulecommands::RuleTable<CategoryRule>& rulesTable()
{
    static const rulecommands::RuleTable<CategoryRule> table{
        kUsage,
        u"rubriek"_s,
        readableRules,
        [](const store::TDataModule1& data) { return readRules(folderOf(data)); },
        [](const store::TDataModule1& data, const std::vector<CategoryRule>& rules) {
            categories::saveCategoryRules(folderOf(data), rules);
        },
        [](const CategoryRule& r) { return categories::fieldName(r.field); },
        [](const CategoryRule& r) { return r.category; },
        [](const std::map<QString, QString>& options) {
            CategoryRule rule;
            rule.field = categories::parseField(options.at(u"--veld"_s));
            rule.kind = relations::parseKind(options.at(u"--soort"_s));
            rule.pattern = options.at(u"--patroon"_s);
            rule.category = options.at(u"--rubriek"_s);
            return categories::checkedRule(rule);
        }};
    return table;
}

int test(const Context& context)
{
    const auto arguments = rulearguments::testArguments(context.args, u"Groep"_s);
    if (!arguments)
        return usage();
    const auto& [field, text] = *arguments;
    return overFilteredTables(
        context, {}, TableAccess::Read, [&](store::TDataModule1& data, Output& out) {
            const categories::CategoryResolver resolver = resolverOf(folderOf(data));
            categories::CategoryTexts texts;
            switch (categories::parseField(field)) {
            case categories::CategoryField::Groep:
                texts.groep = text;
                break;
            case categories::CategoryField::Naam:
                texts.naam = text;
                break;
            case categories::CategoryField::Omschrijving:
                texts.omschrijving = text;
                break;
            case categories::CategoryField::Reknum:
                texts.reknum = text;
                break;
            }
            const categories::CategoryMatch match = resolver.match(texts);
            warnText(resolver.giveUpWarning());
            out += match.category + u'\t' + QString::number(match.rule) + u'\n';
        });
}

int undo(const Context& context)
{
    if (context.args.size() != 1)
        return usage();
    return overFilteredTables(
        context, {}, TableAccess::WriteExisting, [](store::TDataModule1& data, Output&) {
            const QString folder = folderOf(data);
            // The damaged table would become the previous one, which the next change replaces.
            categories::requireReadableCategoryRules(categories::loadCategoryRules(folder, false));
            categories::undoCategoryRules(folder);
        });
}

QString amount(qint64 cents)
{
    return dbase::codec::shortestDouble(monthly::euros(cents));
}

int yearTotals(const Context& context)
{
    const auto options = rulearguments::options(context.args, {u"--jaar"_s}, {u"--jaar"_s});
    bool ok = false;
    const int year = options ? options->at(u"--jaar"_s).toInt(&ok) : 0;
    if (!ok || options->at(u"--jaar"_s).size() != 4)
        return usage();
    return overFilteredTables(
        context, {}, TableAccess::Read, [&](store::TDataModule1& data, Output& out) {
            const QString folder = folderOf(data);
            const relations::GroupResolver groups(groupRules(data, false));
            const categories::CategoryResolver resolver = resolverOf(folder);
            const categories::CategoryIndex index =
                categories::CategoryIndex::build(data.T1, groups, resolver);
            warnGiveUps(groups);
            warnText(resolver.giveUpWarning());
            const categories::CategoryOverview overview = categories::categoryOverview(
                index, year, categories::loadOwnAccounts(folder).leaveOut);
            for (const categories::CategoryRow& row : overview.rows) {
                QStringList cells{row.category};
                for (const qint64 month : row.months)
                    cells << amount(month);
                cells << amount(row.year);
                out += cells.join(u'\t') + u'\n';
            }
        });
}

} // namespace

int categoryRules(const Context& context)
{
    return rulecommands::run(context, rulesTable(),
                             {{u"test"_s, test}, {u"undo"_s, undo}, {u"totals"_s, yearTotals}});
}

} // namespace cli
