#include "charts/series/month_series.h"

#include "categories/own_transfers.h"
#include "charts/series/series_texts.h"
#include "monthly/amount_totals.h"
#include "store/dbase/update_blocker.h"
#include "store/month_fields.h"
#include "store/table_names.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace charts {

using store::names::kMonths;

namespace {

using MonthValues = std::array<double, 12>;

// Reads every presented row by position, so the cursor (and the grids' current row) stays
// where it is whatever happens; a pending row is stored first and counts with its new values.
template <typename Visit> void forEachPresentedRow(dbase::Table& bedrijven, Visit visit)
{
    const dbase::UpdateBlocker blocker(bedrijven);
    bedrijven.post();
    const int count = bedrijven.recordCount();
    for (int r = 0; r < count; ++r)
        visit(bedrijven.rowAt(r));
}

void fill(Series& series, const MonthValues& values)
{
    for (std::size_t m = 0; m < values.size(); ++m)
        series.points.push_back(Point{values[m], kMonths[m], series.colour});
}

} // namespace

QStringList yearList()
{
    QStringList years;
    for (int year = 2006; year <= 2030; ++year)
        years << QString::number(year);
    return years;
}

QStringList yearList(const dbase::Table& bedrijven)
{
    const int jaar = bedrijven.fieldIndex(store::names::kJaar);
    std::set<int> years;
    for (int year = 2006; year <= 2030; ++year)
        years.insert(year);
    if (jaar >= 0) {
        const int count = bedrijven.storedRowCount();
        for (int r = 0; r < count; ++r) {
            const QString text = bedrijven.storedRowAt(r).asString(jaar);
            if (text.size() == 4 &&
                std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }))
                years.insert(text.toInt());
        }
    }
    QStringList list;
    for (const int year : years)
        list << QString::number(year);
    return list;
}

std::array<QString, 3> chartYears(const QStringList& tickedYears)
{
    std::array<QString, 3> years;
    years.fill(QStringLiteral("0000"));
    for (qsizetype i = 0; i < tickedYears.size() && i < 3; ++i)
        years[static_cast<std::size_t>(i)] = tickedYears[i].left(4);
    return years;
}

std::vector<Series> relationYearStyles(const std::array<QString, 3>& years)
{
    using K = Series::Kind;
    const QString& line = texts::kChartRunningMean;
    return {{K::Bars, years[0], 0x6C6CB7, {}}, {K::Bars, years[1], 0xFF8080, {}},
            {K::Bars, years[2], 0x3A7850, {}}, {K::Line, line, 0x8080C0, {}},
            {K::Line, line, 0xFF8080, {}},     {K::Line, line, 0x008000, {}}};
}

std::vector<Series> relationYearSeries(dbase::Table& bedrijven, const std::array<QString, 3>& years)
{
    const std::array<int, 12> months = store::monthFieldIndexes(bedrijven);
    const int select = bedrijven.fieldByName(store::names::kSelect).index();
    const int jaar = bedrijven.fieldByName(store::names::kJaar).index();

    std::array<MonthValues, 3> sums{};
    forEachPresentedRow(bedrijven, [&](const dbase::RowView& row) {
        if (!row.asBoolean(select))
            return;
        const QString year = row.asString(jaar);
        // Each chart year on its own: two ticks can never name the same year, but the
        // comparison does not rely on it.
        for (std::size_t y = 0; y < years.size(); ++y)
            if (year == years[y])
                for (std::size_t m = 0; m < months.size(); ++m)
                    sums[y][m] += row.asFloat(months[m]);
    });

    std::vector<Series> series = relationYearStyles(years);
    for (std::size_t y = 0; y < years.size(); ++y) {
        MonthValues bars{}, averages{};
        long double running = 0.0L;
        for (std::size_t m = 0; m < 12; ++m) {
            bars[m] = std::fabs(sums[y][m]);
            running += sums[y][m];
            averages[m] = static_cast<double>(std::fabs(running) / static_cast<long double>(m + 1));
        }
        fill(series[y], bars);
        fill(series[y + 3], averages);
    }
    return series;
}

std::vector<Series> incomeExpenseStyles()
{
    using K = Series::Kind;
    return {{K::Bars, texts::kChartExpenses, 0xFF0000, {}},
            {K::Bars, texts::kChartIncome, 0x008000, {}},
            {K::Line, texts::kChartAverage, 0x000080, {}}};
}

std::vector<Series> incomeExpenseSeries(dbase::Table& bedrijven)
{
    const std::array<int, 12> months = store::monthFieldIndexes(bedrijven);
    // A transfer to one's own savings is no expense: it leaves its relation's month total first.
    const categories::OwnTransfers own = categories::ownTransfersOfFolder(bedrijven.directory());
    const int naam = own.isEmpty() ? -1 : bedrijven.fieldByName(store::names::kNaam).index();
    const int jaar = own.isEmpty() ? -1 : bedrijven.fieldByName(store::names::kJaar).index();
    MonthValues expenses{}, income{};
    forEachPresentedRow(bedrijven, [&](const dbase::RowView& row) {
        const auto transfers = own.isEmpty()
                                   ? own.constEnd()
                                   : own.constFind({row.asString(naam), row.asString(jaar)});
        for (std::size_t m = 0; m < months.size(); ++m) {
            double total = row.asFloat(months[m]);
            if (transfers != own.constEnd() && (*transfers)[m] != 0)
                total = monthly::euros(monthly::centsOf(total) - (*transfers)[m]);
            (total < 0.0 ? expenses[m] : income[m]) += total;
        }
    });

    MonthValues bars[2]{}, line{};
    for (std::size_t m = 0; m < 12; ++m) {
        bars[0][m] = std::fabs(expenses[m]);
        bars[1][m] = std::fabs(income[m]);
        // Halved anew each month: the mean of last month's value and this month's net total.
        line[m] = m == 0 ? expenses[0] + income[0] : (line[m - 1] + expenses[m] + income[m]) / 2;
    }
    std::vector<Series> series = incomeExpenseStyles();
    fill(series[0], bars[0]);
    fill(series[1], bars[1]);
    fill(series[2], line);
    return series;
}

} // namespace charts
