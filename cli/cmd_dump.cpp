#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filter_options.h"

#include "store/amount_totals.h"
#include "store/dbase/field_codec.h"
#include "store/table_names.h"
#include "views/grid_columns.h"
#include "views/row_export.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace cli {
namespace {

// Tab, CR, LF and backslash inside a text are written as escapes, so that every row stays one
// line of the same columns for whatever reads the dump.
QString escaped(const QString& text)
{
    const auto special = [](QChar c) {
        return c == u'\t' || c == u'\r' || c == u'\n' || c == u'\\';
    };
    if (std::none_of(text.begin(), text.end(), special))
        return text;
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\t':
            out += u"\\t"_s;
            break;
        case u'\r':
            out += u"\\r"_s;
            break;
        case u'\n':
            out += u"\\n"_s;
            break;
        case u'\\':
            out += u"\\\\"_s;
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString cell(const dbase::Table& table, const dbase::RowView& row, int field)
{
    if (row.isNull(field))
        return {};
    const dbase::FieldDef& def = table.fieldDef(field);
    switch (def.dataType()) {
    case dbase::DataType::Date:
        return row.asDate(field).toString(Qt::ISODate);
    case dbase::DataType::Boolean:
        return row.asBoolean(field) ? u"T"_s : u"F"_s;
    case dbase::DataType::String:
        return escaped(row.asString(field));
    default:
        return dbase::codec::shortestDouble(row.asFloat(field));
    }
}

void dumpTable(dbase::Table& table)
{
    QString out;
    QStringList header;
    for (int f = 0; f < table.fieldCount(); ++f)
        header << table.fieldDef(f).name;
    out += header.join(u'\t') + u'\n';
    for (int r = 0; r < table.recordCount(); ++r) {
        const dbase::RowView row = table.rowAt(r);
        for (int f = 0; f < table.fieldCount(); ++f) {
            if (f > 0)
                out += u'\t';
            out += cell(table, row, f);
        }
        out += u'\n';
        if (out.size() > (1 << 20)) {
            printOut(out);
            out.clear();
        }
    }
    printOut(out);
}

// The filter options of the table a command names; 0 for no table of ours.
int tablesNamed(const QString& table)
{
    if (table == store::names::kMutaties)
        return kFilterMutaties;
    if (table == store::names::kBedrijven)
        return kFilterBedrijven;
    return 0;
}

} // namespace

int dump(const Context& context)
{
    FilterOptions filters;
    const QString table = context.args.value(0);
    const int tables = tablesNamed(table);
    const auto rest = takeFilterOptions(context.args.mid(1), tables, filters);
    if (tables == 0 || !rest || !rest->isEmpty()) {
        printErr(u"usage: kolvaro-cli [--tables DIR] dump mutaties|bedrijven [FILTER...]"_s);
        return 2;
    }
    return runGuarded([&] {
        store::TDataModule1 data;
        openTables(data, context.tablesDir, TableAccess::Read);
        applyFilterOptions(filters, data);
        dumpTable(tables == kFilterMutaties ? data.T1 : data.T2);
        data.closeAll();
    });
}

int count(const Context& context)
{
    FilterOptions filters;
    const QString table = context.args.value(0);
    const int tables = tablesNamed(table);
    const auto rest = takeFilterOptions(context.args.mid(1), tables, filters);
    if (tables == 0 || !rest || !rest->isEmpty()) {
        printErr(u"usage: kolvaro-cli [--tables DIR] count mutaties|bedrijven [FILTER...]"_s);
        return 2;
    }
    return runGuarded([&] {
        store::TDataModule1 data;
        openTables(data, context.tablesDir, TableAccess::Read);
        applyFilterOptions(filters, data);
        QString out =
            QString::number((tables == kFilterMutaties ? data.T1 : data.T2).recordCount()) + u'\n';
        if (tables == kFilterMutaties) {
            // The sums beside the count label: Bij, Af, Saldo.
            const store::AmountTotals sums = store::presentedAmountTotals(data.T1);
            out += dbase::codec::shortestDouble(sums.in) + u'\t' +
                   dbase::codec::shortestDouble(sums.out) + u'\t' +
                   dbase::codec::shortestDouble(sums.balance) + u'\n';
        }
        data.closeAll();
        printOut(out);
    });
}

int exportRows(const Context& context)
{
    FilterOptions filters;
    const int tables = tablesNamed(context.args.value(0));
    const auto rest = takeFilterOptions(context.args.mid(1), tables, filters);
    if (tables == 0 || !rest || rest->size() != 2 || rest->at(0) != u"--csv" ||
        rest->at(1).isEmpty()) {
        printErr(u"usage: kolvaro-cli [--tables DIR] export mutaties|bedrijven [FILTER...] "
                 "--csv FILE"_s);
        return 2;
    }
    return runGuarded([&] {
        store::TDataModule1 data;
        openTables(data, context.tablesDir, TableAccess::Read);
        applyFilterOptions(filters, data);
        // The grid of the page the filter options stand for; bedrijven as the relations page
        // shows it, with its select column.
        const dbase::Table& table = tables == kFilterMutaties ? data.T1 : data.T2;
        const views::GridLayout layout =
            tables == kFilterMutaties ? views::transactionGrid() : views::relationGrid();
        const QByteArray bytes = views::csvBytes(table, layout, views::presentedOrder(table));
        data.closeAll();
        views::writeExportFile(rest->at(1), bytes);
    });
}

} // namespace cli
