#include "charts/series/balance_series.h"
#include "charts/series/chart_list.h"
#include "charts/series/month_series.h"
#include "charts/series/transaction_series.h"
#include "store/dbase/table_observer.h"
#include "tests/support/balance_tables.h"
#include "tests/support/qt_print.h"
#include "tests/support/tables.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <tuple>
#include <vector>

using namespace Qt::StringLiterals;
using namespace store::names;
using testsupport::Tables;

namespace {

using Values = std::vector<double>;

// Counts what the controls bound to a table are told.
struct CountingObserver : dbase::TableObserver
{
    int resets = 0, moves = 0;
    void aboutToReset() override {}
    void reset() override { ++resets; }
    void aboutToInsert(int) override {}
    void inserted(int) override {}
    void rowChanged(int) override {}
    void currentChanged(int) override { ++moves; }
};

// A relation-year row with its select flag and some month totals (month number, value).
void addRow(Tables& t, const QString& naam, const QString& jaar, bool selected,
            std::initializer_list<std::pair<int, double>> months)
{
    t.addRelationYear(naam, jaar);
    t.bedrijven->edit();
    t.bedrijven->fieldByName(kSelect).setAsBoolean(selected);
    t.bedrijven->fieldByName(kBanknr).setAsString(u"NL01"_s + jaar);
    for (const auto& [m, value] : months)
        t.bedrijven->fieldByName(kMonths[std::size_t(m - 1)]).setAsFloat(value);
    t.bedrijven->post();
}

Values values(const charts::Series& series)
{
    Values v;
    for (const charts::Point& p : series.points)
        v.push_back(p.value);
    return v;
}

void expectValues(const Values& actual, const Values& expected, const std::string& what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_DOUBLE_EQ(actual[i], expected[i]) << what << " at " << i;
}

Values month(std::initializer_list<std::pair<int, double>> set)
{
    Values v(12, 0.0);
    for (const auto& [m, value] : set)
        v[std::size_t(m - 1)] = value;
    return v;
}

} // namespace

TEST(TransactionSeries, barsAndRunningMeansPerClass)
{
    struct Case
    {
        const char* name;
        Values amounts;
        Values bars;
        std::vector<bool> outgoing;
        Values outMean, inMean;
    };
    const std::vector<Case> cases = {
        {"mixed", {-10, 20, -30}, {10, 20, 30}, {true, false, true}, {10, 10, 20}, {0, 20, 20}},
        {"zero is incoming", {20, 0}, {20, 0}, {false, false}, {0, 0}, {20, 10}},
        {"only outgoing", {-5, -15}, {5, 15}, {true, true}, {5, 10}, {0, 0}},
        {"none", {}, {}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        Tables t;
        QDate day(2010, 1, 1);
        for (const double amount : c.amounts) {
            t.addTransaction(day, u"RELATIE"_s, amount, 4);
            day = day.addDays(3);
        }
        charts::TransactionSeries series;
        series.scan(*t.mutaties);
        expectValues(series.values, c.bars, c.name);
        EXPECT_EQ(series.outgoing, c.outgoing) << c.name;
        expectValues(series.outgoingAverage, c.outMean, c.name);
        expectValues(series.incomingAverage, c.inMean, c.name);
    }
}

TEST(TransactionSeries, followsDateOrderAndFilterAndEndsOnTheLastPresentedRow)
{
    Tables t;
    t.addTransaction(QDate(2011, 5, 2), u"LAAT"_s, -7.5);
    t.addTransaction(QDate(2010, 1, 4), u"VROEG"_s, 12.25);
    t.addTransaction(QDate(2010, 8, 9), u"VERBORGEN"_s, -99.0);
    t.addTransaction(QDate(2010, 3, 6), u"MIDDEN"_s, -1.0);
    Tables::filterOn(*t.mutaties, kNaam, [](const QString& naam) { return naam != u"VERBORGEN"; });
    t.mutaties->first();
    CountingObserver observer;
    t.mutaties->addObserver(&observer);

    charts::TransactionSeries series;
    series.scan(*t.mutaties);
    series.scan(*t.mutaties); // a second scan starts afresh

    expectValues(series.values, {12.25, 1.0, 7.5}, "bars");
    EXPECT_EQ(series.label(0), store::datefmt::formatShortDate(QDate(2010, 1, 4)));
    EXPECT_EQ(series.label(2), store::datefmt::formatShortDate(QDate(2011, 5, 2)));
    EXPECT_EQ(series.barColour(0), 0x008000u);
    EXPECT_EQ(series.barColour(1), 0xFF0000u);
    EXPECT_EQ(t.mutaties->position(), 2);
    EXPECT_EQ(t.mutaties->fieldByName(kNaam).asString(), u"LAAT"_s);
    // The grid hears of each walk once, afterwards, not of every row on the way.
    EXPECT_EQ(observer.resets, 2);
    EXPECT_EQ(observer.moves, 2);
    EXPECT_FALSE(t.mutaties->controlsDisabled());
    t.mutaties->removeObserver(&observer);
}

TEST(ChartYears, takesTheFirstThreeTicksAndFillsWithZeros)
{
    using Years = std::array<QString, 3>;
    EXPECT_EQ(charts::chartYears({}), (Years{u"0000"_s, u"0000"_s, u"0000"_s}));
    EXPECT_EQ(charts::chartYears({u"2009"_s}), (Years{u"2009"_s, u"0000"_s, u"0000"_s}));
    EXPECT_EQ(charts::chartYears({u"2007"_s, u"2009"_s, u"2012"_s, u"2020"_s}),
              (Years{u"2007"_s, u"2009"_s, u"2012"_s}));
    EXPECT_EQ(charts::yearList().size(), 25);
    EXPECT_EQ(charts::yearList().front(), u"2006"_s);
    EXPECT_EQ(charts::yearList().back(), u"2030"_s);
}

TEST(RelationYearSeries, sumsSelectedRowsPerChartYearWithRunningMeans)
{
    Tables t;
    addRow(t, u"A"_s, u"2007"_s, true, {{1, -100.0}, {2, -50.0}, {3, 100.0}});
    addRow(t, u"B"_s, u"2007"_s, true, {{3, -30.0}});
    addRow(t, u"C"_s, u"2007"_s, false, {{1, 5000.0}}); // not selected
    addRow(t, u"D"_s, u"2009"_s, true, {{12, 42.5}});
    addRow(t, u"E"_s, u"2020"_s, true, {{6, 77.0}}); // fourth tick: not charted
    addRow(t, u"F"_s, u"2007"_s, true, {{1, 1.0}});  // hidden by the filter
    addRow(t, u"G"_s, u"2012"_s, true, {{7, -8.0}});
    Tables::filterOn(*t.bedrijven, kNaam, [](const QString& naam) { return naam != u"F"; });
    t.bedrijven->moveTo(2);

    const auto years = charts::chartYears({u"2007"_s, u"2009"_s, u"2012"_s, u"2020"_s});
    const std::vector<charts::Series> series = charts::relationYearSeries(*t.bedrijven, years);

    ASSERT_EQ(series.size(), 6u);
    EXPECT_EQ(series[0].title, u"2007"_s);
    EXPECT_EQ(series[2].title, u"2012"_s);
    EXPECT_EQ(series[4].title, u"gemid"_s);
    // March: +100 and -30 net out before the sign is dropped.
    expectValues(values(series[0]), month({{1, 100}, {2, 50}, {3, 70}}), "2007 bars");
    expectValues(values(series[1]), month({{12, 42.5}}), "2009 bars");
    expectValues(values(series[2]), month({{7, 8}}), "2012 bars");
    // Sums -100, -50, +70, then nothing: |running sum| / month number.
    expectValues(
        values(series[3]),
        {100, 75, 80.0 / 3, 20, 16, 80.0 / 6, 80.0 / 7, 10, 80.0 / 9, 8, 80.0 / 11, 80.0 / 12},
        "2007 means");
    expectValues(values(series[4]), month({{12, 42.5 / 12}}), "2009 means");
    EXPECT_EQ(series[3].points[2].label, u"mrt"_s);
    EXPECT_EQ(t.bedrijven->position(), 2);
    EXPECT_EQ(t.bedrijven->fieldByName(kNaam).asString(), u"C"_s);
}

TEST(RelationYearSeries, averagesOfTheWorkedExampleAndZerosWithoutSelectionOrTicks)
{
    Tables t;
    addRow(t, u"A"_s, u"2009"_s, true, {{1, -100.0}, {2, -50.0}, {3, 30.0}});
    const auto y2009 = charts::chartYears({u"2009"_s});
    const std::vector<charts::Series> ticked = charts::relationYearSeries(*t.bedrijven, y2009);
    expectValues(values(ticked[3]),
                 {100, 75, 40, 30, 24, 20, 120.0 / 7, 15, 120.0 / 9, 12, 120.0 / 11, 10}, "means");
    EXPECT_EQ(ticked[1].title, u"0000"_s);
    expectValues(values(ticked[5]), Values(12, 0.0), "empty third year");

    for (const auto& series : charts::relationYearSeries(*t.bedrijven, charts::chartYears({})))
        expectValues(values(series), Values(12, 0.0), "no year ticked");
    t.bedrijven->first();
    t.bedrijven->edit();
    t.bedrijven->fieldByName(kSelect).clear(); // as completion leaves it
    t.bedrijven->post();
    for (const auto& series : charts::relationYearSeries(*t.bedrijven, y2009))
        expectValues(values(series), Values(12, 0.0), "no select flag");
}

TEST(IncomeExpenseSeries, classesEachMonthTotalAndHalvesTheLine)
{
    Tables t;
    addRow(t, u"A"_s, u"2010"_s, false, {{1, -50.0}, {2, 200.0}, {3, -100.0}, {4, 0.0}});
    addRow(t, u"B"_s, u"2011"_s, true, {{1, 80.0}, {5, -3.0}});
    addRow(t, u"C"_s, u"2010"_s, false, {{1, -20.0}, {2, -5.0}});
    addRow(t, u"D"_s, u"2010"_s, false, {{1, 90.0}, {2, 5.0}}); // filtered away
    Tables::filterOn(*t.bedrijven, kNaam, [](const QString& naam) { return naam != u"D"; });
    t.bedrijven->moveTo(1);

    const std::vector<charts::Series> series = charts::incomeExpenseSeries(*t.bedrijven);
    ASSERT_EQ(series.size(), 3u);
    EXPECT_EQ(series[0].title, u"Uitgaven"_s);
    EXPECT_EQ(series[1].title, u"Inkomsten"_s);
    EXPECT_EQ(series[2].title, u"Gemiddeld"_s);
    expectValues(values(series[0]), month({{1, 70}, {2, 5}, {3, 100}, {5, 3}}), "expenses");
    expectValues(values(series[1]), month({{1, 80}, {2, 200}}), "income");
    // Net 10, 195, -100, 0, -3, then 0: each month halves last month's line plus its net.
    const Values line = {10,          102.5,        1.25,          0.625,
                         -1.1875,     -0.59375,     -0.296875,     -0.1484375,
                         -0.07421875, -0.037109375, -0.0185546875, -0.00927734375};
    expectValues(values(series[2]), line, "line");
    EXPECT_EQ(t.bedrijven->position(), 1);

    Tables worked;
    addRow(worked, u"A"_s, u"2010"_s, true, {{1, 100.0}, {2, 200.0}, {3, -100.0}});
    const Values workedLine = values(charts::incomeExpenseSeries(*worked.bedrijven)[2]);
    expectValues(Values(workedLine.begin(), workedLine.begin() + 3), {100, 150, 25}, "worked line");

    Tables none;
    for (const auto& s : charts::incomeExpenseSeries(*none.bedrijven))
        expectValues(values(s), Values(12, 0.0), "empty table");
}

TEST(ChartList, namesEachChartOnceWithItsTableTicksAndBlankSeries)
{
    using charts::ChartTable;
    struct Case
    {
        QString name;
        ChartTable table;
        bool usesTickedYears;
        QStringList blankTitles; // of the month series; none for the transaction bars
    };
    const Case cases[] = {
        {u"transactions"_s, ChartTable::Mutaties, false, {}},
        {u"relations"_s,
         ChartTable::Bedrijven,
         true,
         {u"2011"_s, u"0000"_s, u"0000"_s, u"gemid"_s, u"gemid"_s, u"gemid"_s}},
        {u"months"_s,
         ChartTable::Bedrijven,
         false,
         {u"Uitgaven"_s, u"Inkomsten"_s, u"Gemiddeld"_s}},
        {u"saldo"_s, ChartTable::Mutaties, false, {u"Saldo"_s, u"Ontbrekende boekingen"_s}},
        // Its series follow the year's categories: none before they are read.
        {u"rubrieken"_s, ChartTable::Mutaties, true, {}},
    };
    ASSERT_EQ(charts::chartList().size(), std::size(cases));
    EXPECT_EQ(charts::chartNames(), u"transactions|relations|months|saldo|rubrieken"_s);
    EXPECT_EQ(charts::chartNamed(u"Transactions"_s), nullptr);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name.toStdString());
        const charts::ChartEntry* entry = charts::chartNamed(c.name);
        ASSERT_EQ(entry, &charts::chartList()[i]);
        EXPECT_EQ(entry->title, c.name == u"rubrieken"_s ? u"Rubrieken per maand"_s
                                                         : u"Grafische voorstelling"_s);
        EXPECT_EQ(entry->table, c.table);
        EXPECT_EQ(entry->usesTickedYears, c.usesTickedYears);
        const charts::ChartData blank = entry->blank({u"2011"_s});
        EXPECT_EQ(bool(blank.transactions), c.name == u"transactions"_s);
        if (blank.transactions) {
            EXPECT_EQ(blank.transactions->size(), 0u);
        }
        QStringList titles;
        for (const charts::Series& series : blank.months) {
            titles << series.title;
            EXPECT_TRUE(series.points.empty());
        }
        EXPECT_EQ(titles, c.blankTitles);
    }
}

// A point per day at the balance after its last line in the bank's order; the gaps of every
// stored row within the presented days; nothing without balances.
TEST(BalanceSeries, lastBalanceOfEachPresentedDayAndTheGapsBetween)
{
    using testsupport::addWithBalances;
    auto table = dbase::Table::createInMemory(testsupport::mutatiesWithBalances(), kIndexDatum);
    const QDate d(2024, 3, 1);
    addWithBalances(*table, d, 5.0, 90.0, std::nullopt, u"B"_s); // booked after the next line
    addWithBalances(*table, d, -10.0, 100.0, std::nullopt, u"A"_s);
    addWithBalances(*table, d.addDays(1), 3.0, std::nullopt, std::nullopt, u"A"_s);
    addWithBalances(*table, d.addDays(2), -20.0, 95.0, std::nullopt, u"B"_s);
    addWithBalances(*table, d.addDays(5), 10.0, 1275.0, std::nullopt, u"A"_s); // 1200 missing
    addWithBalances(*table, d.addDays(9), 1.0, 1285.0, std::nullopt, u"B"_s);
    auto points = [&] {
        QStringList texts;
        for (const charts::Series& s : charts::balanceSeries(*table))
            for (const charts::Point& p : s.points)
                texts << s.title + u' ' + p.label + u' ' + QString::number(p.value);
        return texts;
    };
    EXPECT_EQ(points(), (QStringList{u"Saldo 2024-03-01 95"_s, u"Saldo 2024-03-03 75"_s,
                                     u"Saldo 2024-03-06 1285"_s, u"Saldo 2024-03-10 1286"_s,
                                     u"Ontbrekende boekingen 2024-03-03/2024-03-06 1200"_s}));
    Tables::filterOn(*table, kNaam, [](const QString& naam) { return naam == u"A"; });
    EXPECT_EQ(points(), (QStringList{u"Saldo 2024-03-01 90"_s, u"Saldo 2024-03-06 1285"_s,
                                     u"Ontbrekende boekingen 2024-03-03/2024-03-06 1200"_s}));
    Tables::filterOn(*table, kNaam, [](const QString& naam) { return naam == u"X"; });
    EXPECT_EQ(points(), QStringList{});

    Tables plain; // no balance fields
    plain.addTransaction(d, u"A"_s, 1.0);
    for (const charts::Series& s : charts::balanceSeries(*plain.mutaties))
        EXPECT_TRUE(s.points.empty());
}

TEST(IncomeExpenseSeries, transfersWithOwnAccountsLeaveTheMonthTotalsWhileTheSwitchIsOn)
{
    QTemporaryDir dir;
    // Held open for writing, as the program holds it while the chart reads it beside.
    dbase::Table mutaties;
    mutaties.setDefinition(store::mutatiesDefinition());
    mutaties.setDirectory(dir.path());
    mutaties.open();
    {
        const struct
        {
            QDate datum;
            QString reknum;
            double bedrag;
        } transactions[] = {
            {QDate(2024, 1, 5), u"FINA0000005472"_s, -300.0},
            {QDate(2024, 1, 6), u"R2"_s, -200.0},
            {QDate(2024, 2, 3), u"5472"_s, 50.0},
            {QDate(2024, 2, 4), u"R3"_s, 50.0},
            {QDate(2024, 3, 1), u"FINA0000005472"_s, -300.0},
            {QDate(2024, 3, 2), u"R5"_s, 280.0},
        };
        for (const auto& t : transactions) {
            mutaties.append();
            mutaties.fieldByName(kDatum).setAsDate(t.datum);
            mutaties.fieldByName(kSoort).setAsInteger(5);
            mutaties.fieldByName(kNaam).setAsString(u"A"_s);
            mutaties.fieldByName(kOmschrijving).setAsString(u"OMSCHR"_s);
            mutaties.fieldByName(kReknum).setAsString(t.reknum);
            mutaties.fieldByName(kBedrag).setAsFloat(t.bedrag);
            mutaties.post();
        }
    }
    dbase::Table bedrijven;
    bedrijven.setDefinition(store::bedrijvenDefinition());
    bedrijven.setDirectory(dir.path());
    bedrijven.open();
    for (const auto& [naam, jaar, months] :
         {std::tuple{u"A"_s, u"2024"_s, std::array{-500.0, 100.0, -20.0}},
          std::tuple{u"A"_s, u"2023"_s, std::array{-300.0, 0.0, 0.0}},
          std::tuple{u"B"_s, u"2024"_s, std::array{1000.0, 0.0, 0.0}}}) {
        bedrijven.append();
        bedrijven.fieldByName(kNaam).setAsString(naam);
        bedrijven.fieldByName(kJaar).setAsString(jaar);
        for (std::size_t m = 0; m < months.size(); ++m)
            bedrijven.fieldByName(kMonths[m]).setAsFloat(months[m]);
        bedrijven.post();
    }

    const struct
    {
        const char* file; // nullptr: none
        Values expenses;
        Values income;
    } cases[] = {
        {nullptr, {800, 0, 20}, {1000, 100, 0}},
        {"weglaten=nee\nNL18FINA0000005472\n", {800, 0, 20}, {1000, 100, 0}},
        {"weglaten=ja\n", {800, 0, 20}, {1000, 100, 0}},
        {"weglaten=ja\nNL18FINA0000005472\n", {500, 0, 0}, {1000, 50, 280}},
    };
    for (const auto& c : cases) {
        QFile file(dir.filePath(u"eigenrek.txt"_s));
        file.remove();
        if (c.file) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.file);
            file.close();
        }
        const std::vector<charts::Series> series = charts::incomeExpenseSeries(bedrijven);
        const Values expenses = values(series[0]), income = values(series[1]);
        expectValues(Values(expenses.begin(), expenses.begin() + 3), c.expenses, "expenses");
        expectValues(Values(income.begin(), income.begin() + 3), c.income, "income");
    }
}
