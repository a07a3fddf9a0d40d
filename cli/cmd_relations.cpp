#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filter_options.h"

#include "monthly/month_sums.h"
#include "relations/completion.h"
#include "relations/month_totals.h"
#include "relations/selection.h"

using namespace Qt::StringLiterals;

namespace cli {

namespace {

constexpr int kBothTables = kFilterMutaties | kFilterBedrijven;

// The command's filter options, or nullopt after printing its usage line.
std::optional<FilterOptions> filtersOnly(const Context& context, const QString& command, int tables,
                                         const std::map<QString, QString>& aliases = {})
{
    FilterOptions filters;
    const auto rest = takeFilterOptions(context.args, tables, filters, aliases);
    if (!rest || !rest->isEmpty()) {
        printErr(u"usage: kolvaro-cli [--tables DIR] %1 [FILTER...]"_s.arg(command));
        return std::nullopt;
    }
    return filters;
}

int setSelect(const Context& context, bool select)
{
    const auto filters =
        filtersOnly(context, select ? u"select"_s : u"deselect"_s, kFilterBedrijven);
    if (!filters)
        return 2;
    return runGuarded([&] {
        store::TDataModule1 data;
        openTables(data, context.tablesDir, TableAccess::Write);
        applyFilterOptions(*filters, data);
        const int written = relations::setSelectOfPresented(data.T2, select);
        data.closeAll(); // the count is printed only once the rows are on disk
        printOut(QString::number(written) + u'\n');
    });
}

} // namespace

int complete(const Context& context)
{
    const auto filters = filtersOnly(context, u"complete"_s, kBothTables);
    if (!filters)
        return 2;
    return runGuarded([&] {
        store::TDataModule1 data;
        openTables(data, context.tablesDir, TableAccess::Write);
        applyFilterOptions(*filters, data);
        relations::completeRelations(data.T1, data.T2);
        printOut(QString::number(data.T2.recordCount()) + u'\n');
        data.closeAll();
    });
}

int fill(const Context& context)
{
    const auto filters = filtersOnly(context, u"fill"_s, kBothTables);
    if (!filters)
        return 2;
    return runGuarded([&] {
        store::TDataModule1 data;
        openTables(data, context.tablesDir, TableAccess::Write);
        applyFilterOptions(*filters, data);
        relations::fillMonthTotals(data.T1, data.T2);
        data.closeAll();
    });
}

int totals(const Context& context)
{
    // --year PREFIX came first and stays: it is the jaar box.
    const auto filters =
        filtersOnly(context, u"totals"_s, kFilterBedrijven, {{u"--year"_s, u"--jaar"_s}});
    if (!filters)
        return 2;
    return runGuarded([&] {
        store::TDataModule1 data;
        openTables(data, context.tablesDir, TableAccess::Read);
        applyFilterOptions(*filters, data);
        const QStringList cells = monthly::stripTexts(monthly::geefsaldi(data.T2));
        printOut(cells.mid(1).join(u'\t') + u'\n');
        data.closeAll();
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
