#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filter_options.h"
#include "cli/filtered_tables.h"

#include "monthly/amount_totals.h"
#include "store/dbase/field_codec.h"
#include "store/table_names.h"
#include "viewlogic/grid_columns.h"
#include "viewlogic/row_export.h"

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

void dumpTable(dbase::Table& table, Output& out)
{
    QStringList header;
    for (int f = 0; f < table.fieldCount(); ++f)
        header << table.fieldDef(f).name;
    out += header.join(u'\t') + u'\n';
    for (int r = 0; r < table.recordCount(); ++r) {
        const dbase::RowView row = table.rowAt(r);
        QString line;
        for (int f = 0; f < table.fieldCount(); ++f) {
            if (f > 0)
                line += u'\t';
            line += cell(table, row, f);
        }
        out += line + u'\n';
    }
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
    const int tables = tablesNamed(context.args.value(0));
    const auto filters =
        filtersOnly(context.args.mid(1), tables,
                    u"usage: kolvaro-cli [--tables DIR] dump mutaties|bedrijven [FILTER...]"_s);
    if (!filters)
        return 2;
    return overFilteredTables(context, *filters, TableAccess::Read,
                              [tables](store::TDataModule1& data, Output& out) {
                                  dumpTable(tables == kFilterMutaties ? data.T1 : data.T2, out);
                              });
}

int count(const Context& context)
{
    const int tables = tablesNamed(context.args.value(0));
    const auto filters =
        filtersOnly(context.args.mid(1), tables,
                    u"usage: kolvaro-cli [--tables DIR] count mutaties|bedrijven [FILTER...]"_s);
    if (!filters)
        return 2;
    return overFilteredTables(
        context, *filters, TableAccess::Read, [tables](store::TDataModule1& data, Output& out) {
            out += QString::number((tables == kFilterMutaties ? data.T1 : data.T2).recordCount()) +
                   u'\n';
            if (tables == kFilterMutaties) {
                // The sums beside the count label: Bij, Af, Saldo.
                const monthly::AmountTotals sums = monthly::presentedAmountTotals(data.T1);
                out += dbase::codec::shortestDouble(monthly::euros(sums.inCents)) + u'\t' +
                       dbase::codec::shortestDouble(monthly::euros(sums.outCents)) + u'\t' +
                       dbase::codec::shortestDouble(monthly::euros(sums.balanceCents)) + u'\n';
            }
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
    QByteArray bytes;
    const int status = overFilteredTables(
        context, filters, TableAccess::Read, [&](store::TDataModule1& data, Output&) {
            // The grid of the page the filter options stand for; bedrijven as the relations
            // page shows it, with its select column.
            const dbase::Table& table = tables == kFilterMutaties ? data.T1 : data.T2;
            const views::GridLayout layout =
                tables == kFilterMutaties ? views::transactionGrid() : views::relationGrid();
            bytes = views::csvBytes(table, layout, views::presentedOrder(table));
        });
    if (status != 0)
        return status;
    return runGuarded([&] { views::writeExportFile(rest->at(1), bytes); });
}

} // namespace cli
