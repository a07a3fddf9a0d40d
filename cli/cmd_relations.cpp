#include "cli/cli_support.h"
#include "cli/commands.h"

#include "monthly/month_sums.h"
#include "relations/completion.h"
#include "relations/month_totals.h"
#include "store/table_names.h"

using namespace Qt::StringLiterals;

namespace cli {

int complete(const Context& context)
{
    if (!context.args.isEmpty()) {
        printErr(u"usage: kolvaro-cli [--tables DIR] complete"_s);
        return 2;
    }
    return runGuarded([&] {
        store::TDataModule1 data;
        openTables(data, context.tablesDir);
        relations::completeRelations(data.T1, data.T2);
        printOut(QString::number(data.T2.recordCount()) + u'\n');
        data.closeAll();
    });
}

int fill(const Context& context)
{
    if (!context.args.isEmpty()) {
        printErr(u"usage: kolvaro-cli [--tables DIR] fill"_s);
        return 2;
    }
    return runGuarded([&] {
        store::TDataModule1 data;
        openTables(data, context.tablesDir);
        relations::fillMonthTotals(data.T1, data.T2);
        data.closeAll();
    });
}

int totals(const Context& context)
{
    QString prefix;
    if (context.args.size() == 2 && context.args[0] == u"--year") {
        prefix = context.args[1];
    } else if (!context.args.isEmpty()) {
        printErr(u"usage: kolvaro-cli [--tables DIR] totals [--year PREFIX]"_s);
        return 2;
    }
    return runGuarded([&] {
        store::TDataModule1 data;
        openTables(data, context.tablesDir);
        if (!prefix.isEmpty()) {
            // The month-totals page's year filter: rows whose jaar begins with the text.
            const int jaar = data.T2.fieldByName(store::names::kJaar).index();
            data.T2.setFilterPredicate([jaar, prefix](const dbase::RowView& row) {
                return row.asString(jaar).startsWith(prefix, Qt::CaseInsensitive);
            });
            data.T2.setFiltered(true);
        }
        const QStringList cells = monthly::stripTexts(monthly::geefsaldi(data.T2));
        printOut(cells.mid(1).join(u'\t') + u'\n');
        data.closeAll();
    });
}

} // namespace cli
