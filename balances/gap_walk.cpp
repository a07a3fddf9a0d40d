#include "balances/gap_walk.h"

#include "store/dbase/table.h"
#include "store/table_names.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>

namespace balances {
namespace {

// Balance in cents -> walked row. Holds only rows of the last kNeighbourDays days, so it stays
// small.
using Open = std::unordered_multimap<qint64, int>;

// Takes the latest row under `key` other than `self` out of `open`: of equal balances the
// nearest one is the likeliest neighbour in the bank's order. -1 when there is none.
int takeNearest(Open& open, qint64 key, int self)
{
    const auto [first, last] = open.equal_range(key);
    auto best = last;
    for (auto it = first; it != last; ++it)
        if (it->second != self && (best == last || it->second > best->second))
            best = it;
    if (best == last)
        return -1;
    const int row = best->second;
    open.erase(best);
    return row;
}

void erase(Open& open, qint64 key, int row)
{
    const auto [first, last] = open.equal_range(key);
    for (auto it = first; it != last; ++it)
        if (it->second == row) {
            open.erase(it);
            return;
        }
}

qint64 cents(double value)
{
    return std::llround(value * 100.0);
}

} // namespace

Walk walkBalances(const std::vector<BalanceRow>& rows)
{
    const int n = static_cast<int>(rows.size());
    // The row whose balance after is this row's balance before, and the other way round.
    std::vector<int> pred(rows.size(), -1), succ(rows.size(), -1);
    Open openAfters;  // balances after that no row has started from yet
    Open openBefores; // balances before that no row has ended on yet (a line booked later)
    int expired = 0;
    for (int i = 0; i < n; ++i) {
        const BalanceRow& row = rows[i];
        // Rows further back can be no neighbour of this row or any later one.
        for (; rows[expired].day < row.day - kNeighbourDays; ++expired) {
            if (succ[expired] < 0)
                erase(openAfters, rows[expired].after, expired);
            if (pred[expired] < 0)
                erase(openBefores, rows[expired].before, expired);
        }
        if (const int p = takeNearest(openAfters, row.before, i); p >= 0) {
            pred[i] = p;
            succ[p] = i;
        } else {
            openBefores.emplace(row.before, i);
        }
        if (const int s = takeNearest(openBefores, row.after, i); s >= 0) {
            succ[i] = s;
            pred[s] = i;
        } else {
            openAfters.emplace(row.after, i);
        }
    }

    Walk walk;
    // Each chain has one start and one end; the chains follow each other in date order, so the
    // k-th end and the (k+1)-th start enclose the k-th gap. A cycle (possible where balances
    // repeat) has neither.
    std::vector<int> starts, ends;
    for (int i = 0; i < n; ++i) {
        if (pred[i] < 0)
            starts.push_back(i);
        if (succ[i] < 0)
            ends.push_back(i);
    }
    for (std::size_t k = 0; k + 1 < starts.size() && k < ends.size(); ++k) {
        const BalanceRow& end = rows[ends[k]];
        const BalanceRow& start = rows[starts[k + 1]];
        // A chain that goes on at the same balance after a quiet spell longer than the window
        // misses no money: weeks without a transaction are no gap.
        if (start.before == end.after)
            continue;
        walk.gaps.push_back({QDate::fromJulianDay(end.day), QDate::fromJulianDay(start.day),
                             start.before - end.after});
    }

    walk.chainOrder.reserve(rows.size());
    std::vector<char> visited(rows.size(), 0);
    auto follow = [&](int i) {
        for (; i >= 0 && !visited[i]; i = succ[i]) {
            visited[i] = 1;
            walk.chainOrder.push_back(i);
        }
    };
    for (const int start : starts)
        follow(start);
    for (int i = 0; i < n; ++i)
        follow(i); // the rows of cycles, at their first row in date order
    return walk;
}

std::vector<BalanceRow> balanceRows(const dbase::Table& mutaties, bool storedRows,
                                    std::vector<const char*>* records)
{
    const int voor = mutaties.fieldIndex(kSaldoVoor);
    const int na = mutaties.fieldIndex(kSaldoNa);
    const int datum = mutaties.fieldIndex(store::names::kDatum);
    if (records)
        records->clear();
    if (voor < 0 || na < 0 || datum < 0)
        return {};
    const int count = storedRows ? mutaties.storedRowCount() : mutaties.recordCount();
    std::vector<BalanceRow> rows;
    std::vector<const char*> bytes;
    rows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const dbase::RowView row = storedRows ? mutaties.storedRowAt(i) : mutaties.rowAt(i);
        if (row.isNull(voor) || row.isNull(na))
            continue;
        const QDate date = row.asDate(datum);
        if (!date.isValid())
            continue;
        rows.push_back({date.toJulianDay(), cents(row.asFloat(voor)), cents(row.asFloat(na))});
        if (records)
            bytes.push_back(row.bytes());
    }
    const auto byDay = [](const BalanceRow& a, const BalanceRow& b) { return a.day < b.day; };
    if (!std::is_sorted(rows.begin(), rows.end(), byDay)) {
        // Another index is active: date order, equal dates as presented.
        std::vector<std::size_t> order(rows.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return rows[a].day < rows[b].day; });
        std::vector<BalanceRow> sorted;
        std::vector<const char*> sortedBytes;
        sorted.reserve(rows.size());
        for (const std::size_t i : order) {
            sorted.push_back(rows[i]);
            if (records)
                sortedBytes.push_back(bytes[i]);
        }
        rows = std::move(sorted);
        bytes = std::move(sortedBytes);
    }
    if (records)
        *records = std::move(bytes);
    return rows;
}

std::vector<Gap> storedGaps(const dbase::Table& mutaties)
{
    return walkBalances(balanceRows(mutaties, true)).gaps;
}

} // namespace balances
