#include "cli/chart_picture.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filter_options.h"
#include "cli/filtered_tables.h"

#include "charts/series/month_series.h"
#include "store/dbase/field_codec.h"

#include <QRegularExpression>
#include <optional>

using namespace Qt::StringLiterals;

namespace cli {
namespace {

QString usage()
{
    return u"usage: kolvaro-cli [--tables DIR] chart "_s + charts::chartNames() +
           u" [FILTER...] [--years Y,Y,...] [--png FILE [--size WxH]]"_s;
}

struct ChartOptions
{
    const charts::ChartEntry* chart = nullptr;
    FilterOptions filters;  // of the one table the chart reads
    QStringList givenYears; // as named by --years
    QString png;
    QSize size;
};

// The options, or a message why they are not usable.
std::optional<ChartOptions> parse(const QStringList& args, QString& problem)
{
    ChartOptions options;
    options.chart = charts::chartNamed(args.value(0));
    if (!options.chart)
        return std::nullopt;
    const int table =
        options.chart->table == charts::ChartTable::Mutaties ? kFilterMutaties : kFilterBedrijven;
    const std::optional<QStringList> rest = takeFilterOptions(args.mid(1), table, options.filters);
    if (!rest)
        return std::nullopt;
    bool yearsGiven = false, sizeGiven = false;
    for (qsizetype i = 0; i < rest->size(); i += 2) {
        if (i + 1 >= rest->size())
            return std::nullopt;
        const QString& option = (*rest)[i];
        const QString& value = (*rest)[i + 1];
        if (option == u"--years" && !yearsGiven) {
            yearsGiven = true;
            options.givenYears = value.split(u',');
        } else if (option == u"--png" && options.png.isEmpty() && !value.isEmpty()) {
            options.png = value;
        } else if (option == u"--size" && !sizeGiven) {
            sizeGiven = true;
            const QRegularExpressionMatch m =
                QRegularExpression(u"^([1-9][0-9]{0,4})x([1-9][0-9]{0,4})$"_s).match(value);
            if (!m.hasMatch()) {
                problem = u"'%1' is not a size WxH in pixels"_s.arg(value);
                return std::nullopt;
            }
            options.size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        } else {
            return std::nullopt;
        }
    }
    if ((yearsGiven && !options.chart->usesTickedYears) || (sizeGiven && options.png.isEmpty()))
        return std::nullopt;
    return options;
}

const QString kHeader = u"series\ttitle\tindex\tlabel\tvalue\tcolour\n"_s;

void row(Output& out, int series, const QString& title, std::size_t index, const QString& label,
         double value, charts::Rgb colour)
{
    out += QString::number(series) + u'\t' + title + u'\t' + QString::number(index) + u'\t' +
           label + u'\t' + dbase::codec::shortestDouble(value) + u'\t' +
           charts::colourText(colour) + u'\n';
}

void print(const charts::TransactionSeries& s, Output& out)
{
    using charts::TransactionSeries;
    out += kHeader;
    for (std::size_t i = 0; i < s.size(); ++i)
        row(out, 1, {}, i, s.label(i), s.values[i], s.barColour(i));
    for (std::size_t i = 0; i < s.size(); ++i)
        row(out, 2, {}, i, {}, s.outgoingAverage[i], TransactionSeries::kOutgoingLine);
    for (std::size_t i = 0; i < s.size(); ++i)
        row(out, 3, {}, i, {}, s.incomingAverage[i], TransactionSeries::kIncomingLine);
}

void print(const std::vector<charts::Series>& series, Output& out)
{
    out += kHeader;
    for (std::size_t s = 0; s < series.size(); ++s)
        for (std::size_t i = 0; i < series[s].points.size(); ++i) {
            const charts::Point& p = series[s].points[i];
            row(out, int(s + 1), series[s].title, i, p.label, p.value, p.colour);
        }
}

} // namespace

bool asksForPicture(const QStringList& args)
{
    const qsizetype command = args.size() >= 2 && args[0] == u"--tables" ? 2 : 0;
    return args.size() > command && args[command] == u"chart" &&
           args.indexOf(u"--png"_s, command + 1) > command;
}

int chart(const Context& context)
{
    QString problem;
    const std::optional<ChartOptions> options = parse(context.args, problem);
    if (!options) {
        printErr(problem.isEmpty() ? usage() : problem);
        return 2;
    }
    charts::ChartData chart;
    const int status =
        overFilteredTables(context, {}, TableAccess::Read, [&](store::TDataModule1& data, Output&) {
            // The year list holds 2006..2030 and the years of bedrijven outside them; ticks stand
            // in the list's order, whatever the order they are named in. It is read before the
            // filter is in force: the list shows every year of the table.
            const QStringList yearList = charts::yearList(data.T2);
            for (const QString& year : options->givenYears)
                if (!yearList.contains(year)) {
                    problem = u"'%1' is not in the year list (2006..2030 and the years of the "
                              "table)"_s.arg(year);
                    return;
                }
            QStringList tickedYears;
            for (const QString& year : yearList)
                if (options->givenYears.contains(year))
                    tickedYears << year;
            applyFilterOptions(options->filters, data);
            const charts::ChartEntry& entry = *options->chart;
            chart = entry.series(charts::chartTable(entry, data), tickedYears);
        });
    if (!problem.isEmpty()) {
        printErr(problem);
        return 2;
    }
    if (status != 0)
        return status;
    // Drawn or printed once the tables are closed.
    return runGuarded([&] {
        if (!options->png.isEmpty()) {
            renderChartPng(options->chart->name, chart, options->png, options->size);
            return;
        }
        Output out;
        if (chart.transactions)
            print(*chart.transactions, out);
        else
            print(chart.months, out);
        out.flush();
    });
}

} // namespace cli
