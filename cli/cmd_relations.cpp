#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filter_options.h"
#include "cli/filtered_tables.h"

#include "monthly/month_sums.h"
#include "notices/gaps_notice.h"
#include "notices/page_notices.h"
#include "pipeline/passes.h"
#include "relations/group_rules_file.h"
#include "relations/selection.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

constexpr int kBothTables = kFilterMutaties | kFilterBedrijven;

// A command whose arguments are the filter options of `tables` and whose pass prints what it
// gives back, once the tables are closed.
int filteredPass(const Context& context, const QString& command, int tables, TableAccess access,
                 const std::function<QString(store::TDataModule1&)>& pass,
                 const std::map<QString, QString>& aliases = {})
{
    const auto filters =
        filtersOnly(context.args, tables,
                    u"usage: kolvaro-cli [--tables DIR] %1 [FILTER...]"_s.arg(command), aliases);
    if (!filters)
        return 2;
    return cli::overFilteredTables(
        context, *filters, access,
        [&](store::TDataModule1& data, Output& out) { out += pass(data); });
}

int setSelect(const Context& context, bool select)
{
    return filteredPass(
        context, select ? u"select"_s : u"deselect"_s, kFilterBedrijven, TableAccess::Write,
        [select](store::TDataModule1& data) {
            return QString::number(relations::setSelectOfPresented(data.T2, select)) + u'\n';
        });
}

} // namespace

int complete(const Context& context)
{
    return filteredPass(context, u"complete"_s, kBothTables, TableAccess::Write,
                        [](store::TDataModule1& data) {
                            const relations::GroupResolver groups = groupResolver(data);
                            pipeline::completeRelations(data, groups);
                            warnGiveUps(groups);
                            return QString::number(data.T2.recordCount()) + u'\n';
                        });
}

int fill(const Context& context)
{
    return filteredPass(
        context, u"fill"_s, kBothTables, TableAccess::WriteExisting, [](store::TDataModule1& data) {
            warnText(
                pipeline::fillMonths(data, relations::loadGroupRules(data.T1.directory(), true)));
            return QString();
        });
}

int totals(const Context& context)
{
    // --year PREFIX came first and stays: it is the jaar box.
    return filteredPass(context, u"totals"_s, kFilterBedrijven, TableAccess::Read,
                        [](store::TDataModule1& data) {
                            const QStringList cells =
                                monthly::stripTexts(monthly::geefsaldi(data.T2));
                            return cells.mid(1).join(u'\t') + u'\n';
                        },
                        {{u"--year"_s, u"--jaar"_s}});
}

int status(const Context& context)
{
    if (!context.args.isEmpty()) {
        printErr(u"usage: kolvaro-cli [--tables DIR] status"_s);
        return 2;
    }
    return overFilteredTables(
        context, {}, TableAccess::Read, [](store::TDataModule1& data, Output& out) {
            const QString folder = data.T1.directory();
            for (const QString& notice : notices::pageNotices(folder, groupRules(data, false)))
                out += notice + u'\n';
            if (const QString gaps = notices::gapsNotice(data.T1); !gaps.isEmpty())
                out += gaps + u'\n';
        });
}

int select(const Context& context)
{
    return setSelect(context, true);
}

int deselect(const Context& context)
{
    return setSelect(context, false);
}

} // namespace cli
