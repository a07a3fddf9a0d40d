// Missing periods found from the bank's balances.
#include "balances/gap_walk.h"
#include "tests/support/balance_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using balances::BalanceRow;
using balances::Gap;

namespace {

const QDate kStart(2024, 1, 1);
constexpr int kDays = 90;
constexpr int kPerDay = 3;

// A line of the bank's statement: the day it is dated and its amount, in the bank's order.
struct Line
{
    int day;
    qint64 amount;
};

std::vector<Line> statement()
{
    std::vector<Line> lines;
    for (int day = 0; day < kDays; ++day)
        for (int k = 0; k < kPerDay; ++k) {
            const int i = day * kPerDay + k;
            lines.push_back({day, (i * 7919 % 20011) - 10000 + (i % 2 == 0 ? 0 : 1)});
        }
    return lines;
}

// The balances of the lines in the bank's order, then the lines kept, as stored: by date, in
// the order `reorder` leaves equal dates in.
std::vector<BalanceRow> stored(const std::vector<Line>& lines,
                               const std::function<bool(int index)>& keep,
                               const std::function<void(std::vector<BalanceRow>&)>& reorder = {})
{
    std::vector<BalanceRow> rows;
    qint64 balance = 100000;
    for (int i = 0; i < int(lines.size()); ++i) {
        const qint64 after = balance + lines[i].amount;
        if (keep(i))
            rows.push_back({kStart.addDays(lines[i].day).toJulianDay(), balance, after});
        balance = after;
    }
    if (reorder)
        reorder(rows);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const BalanceRow& a, const BalanceRow& b) { return a.day < b.day; });
    return rows;
}

// The lines of days [from, to] removed.
struct Removed
{
    int from, to;
};

TEST(GapWalk, findsEveryPlantedGap)
{
    const std::vector<Line> lines = statement();
    struct Case
    {
        const char* name;
        std::vector<Removed> removed;
    };
    const Case cases[] = {
        {"one day", {{40, 40}}},
        {"one month", {{20, 50}}},
        {"right after the first day", {{1, 1}}},
        {"right before the last day", {{kDays - 2, kDays - 2}}},
        {"two in a row", {{30, 30}, {32, 33}}},
        {"two on neighbouring lines", {{60, 60}, {62, 62}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Gap> expected;
        for (const Removed& r : c.removed) {
            qint64 missing = 0;
            for (const Line& line : lines)
                if (line.day >= r.from && line.day <= r.to)
                    missing += line.amount;
            expected.push_back({kStart.addDays(r.from - 1), kStart.addDays(r.to + 1), missing});
        }
        const auto kept = [&](int i) {
            return std::none_of(c.removed.begin(), c.removed.end(), [&](const Removed& r) {
                return lines[i].day >= r.from && lines[i].day <= r.to;
            });
        };
        EXPECT_EQ(balances::walkBalances(stored(lines, kept)).gaps, expected);
        // The bank's order within a day does not matter.
        const auto reversedDays = [](std::vector<BalanceRow>& rows) {
            std::reverse(rows.begin(), rows.end());
        };
        EXPECT_EQ(balances::walkBalances(stored(lines, kept, reversedDays)).gaps, expected);
    }
}

TEST(GapWalk, findsNoGapWhereTheBalancesChain)
{
    const auto all = [](int) { return true; };
    std::vector<Line> repeated = statement(); // +10, -10, +10, -10: one balance four times
    std::vector<Line> twins = statement();    // two equal payments, the second from the first
    for (int k = 0; k < 4; ++k) {
        repeated.insert(repeated.begin() + 31, Line{10, k % 2 == 0 ? 1000 : -1000});
        twins.insert(twins.begin() + 31 + k, Line{10, -2500});
    }
    std::vector<Line> zero = statement(); // lines that leave the balance as it is
    zero.insert(zero.begin() + 40, Line{13, 0});
    zero.insert(zero.begin() + 40, Line{13, 0});
    std::vector<Line> dateOff = statement(); // dated up to 7 days from its place
    dateOff[100].day += 7;
    dateOff[150].day -= 7;
    dateOff[151].day -= 5;
    dateOff[200].day += 7; // neighbours off in opposite directions
    dateOff[201].day -= 7;
    std::vector<Line> quiet = statement(); // six weeks without a transaction
    for (std::size_t i = 120; i < quiet.size(); ++i)
        quiet[i].day += 42;
    struct Case
    {
        const char* name;
        std::vector<Line> lines;
        std::function<void(std::vector<BalanceRow>&)> reorder;
    };
    const Case cases[] = {
        {"in the bank's order", statement(), {}},
        {"same-day lines reversed", statement(),
         [](std::vector<BalanceRow>& rows) { std::reverse(rows.begin(), rows.end()); }},
        {"same-day lines rotated", statement(),
         [](std::vector<BalanceRow>& rows) {
             std::rotate(rows.begin(), rows.begin() + 1, rows.end());
         }},
        {"repeated balance", repeated, {}},
        {"repeated balance reversed", repeated,
         [](std::vector<BalanceRow>& rows) { std::reverse(rows.begin(), rows.end()); }},
        {"twins", twins, {}},
        {"twins reversed", twins,
         [](std::vector<BalanceRow>& rows) { std::reverse(rows.begin(), rows.end()); }},
        {"amounts of zero", zero, {}},
        {"amounts of zero reversed", zero,
         [](std::vector<BalanceRow>& rows) { std::reverse(rows.begin(), rows.end()); }},
        {"dates off their place", dateOff, {}},
        {"dates off, reversed", dateOff,
         [](std::vector<BalanceRow>& rows) { std::reverse(rows.begin(), rows.end()); }},
        {"a quiet spell longer than the window", quiet, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<BalanceRow> rows = stored(c.lines, all, c.reorder);
        const balances::Walk walk = balances::walkBalances(rows);
        EXPECT_EQ(walk.gaps, std::vector<Gap>{});
        // The chain order is the bank's: each row starts where the one before it ended.
        ASSERT_EQ(walk.chainOrder.size(), rows.size());
        for (std::size_t i = 1; i < rows.size(); ++i)
            EXPECT_EQ(rows[walk.chainOrder[i]].before, rows[walk.chainOrder[i - 1]].after);
    }
}

// Through the table: rows without balances break no chain, a failed balance check neither; a
// table without the balance fields has no gaps.
TEST(GapWalk, readsTheStoredRows)
{
    using testsupport::addWithBalances;
    auto table = dbase::Table::createInMemory(testsupport::mutatiesWithBalances(),
                                              store::names::kIndexDatum);
    const QDate d(2024, 3, 1);
    addWithBalances(*table, d, -10.0, 100.0);
    addWithBalances(*table, d, 5.0, std::nullopt); // stored before the bank gave balances
    addWithBalances(*table, d.addDays(1), -20.0, 90.0, 75.0); // check failed: 90 - 20 != 75
    addWithBalances(*table, d.addDays(2), 1.1, 75.0);
    EXPECT_EQ(balances::storedGaps(*table), std::vector<Gap>{});

    addWithBalances(*table, d.addDays(9), -45.5, 30.0); // 76.10 before it: 46.10 missing
    table->setFilterPredicate([](const dbase::RowView&) { return false; });
    table->setFiltered(true); // the stored rows, whatever is presented
    EXPECT_EQ(balances::storedGaps(*table),
              (std::vector<Gap>{{d.addDays(2), d.addDays(9), -4610}}));

    auto plain =
        dbase::Table::createInMemory(store::mutatiesDefinition(), store::names::kIndexDatum);
    testsupport::addWithBalances(*plain, d, -10.0, std::nullopt);
    EXPECT_TRUE(balances::balanceRows(*plain, true).empty());
}

} // namespace
