#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filter_options.h"
#include "cli/filtered_tables.h"

#include "monthly/month_sums.h"
#include "relations/completion.h"
#include "relations/month_totals.h"
#include "relations/selection.h"
#include "store/totals_notice.h"

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

// A pass over every stored row brings the notice beside the tables a step further.
void stepRan(const store::TDataModule1& data, store::TotalsStep step)
{
    if (store::passSeesEveryRow(data.T1, data.T2))
        store::TotalsNotice(data.T1.directory()).stepRan(step);
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
                            relations::completeRelations(data.T1, data.T2, &groups);
                            warnGiveUps(groups);
                            stepRan(data, store::TotalsStep::CompleteRelations);
                            return QString::number(data.T2.recordCount()) + u'\n';
                        });
}

int fill(const Context& context)
{
    return filteredPass(context, u"fill"_s, kBothTables, TableAccess::Write,
                        [](store::TDataModule1& data) {
                            const relations::GroupResolver groups = groupResolver(data);
                            relations::fillMonthTotals(data.T1, data.T2, &groups);
                            warnGiveUps(groups);
                            stepRan(data, store::TotalsStep::FillMonths);
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

int select(const Context& context)
{
    return setSelect(context, true);
}

int deselect(const Context& context)
{
    return setSelect(context, false);
}

} // namespace cli
