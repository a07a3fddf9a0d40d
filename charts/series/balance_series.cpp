#include "charts/series/balance_series.h"

#include "balances/gap_walk.h"

#include <unordered_map>

using namespace Qt::StringLiterals;

namespace charts {

std::vector<Series> balanceStyles()
{
    return {{Series::Kind::Line, u"Saldo"_s, 0x000080, {}},
            {Series::Kind::Bars, u"Ontbrekende boekingen"_s, 0xFF0000, {}}};
}

std::vector<Series> balanceSeries(const dbase::Table& mutaties)
{
    std::vector<Series> series = balanceStyles();
    // The bank's order comes from every stored row: the filter may hide a day's neighbours.
    std::vector<const char*> storedRecords;
    const std::vector<balances::BalanceRow> stored =
        balances::balanceRows(mutaties, true, &storedRecords);
    const balances::Walk walk = balances::walkBalances(stored);
    std::unordered_map<const char*, std::size_t> rank;
    rank.reserve(walk.chainOrder.size());
    for (std::size_t i = 0; i < walk.chainOrder.size(); ++i)
        rank.emplace(storedRecords[std::size_t(walk.chainOrder[i])], i);

    std::vector<const char*> records;
    const std::vector<balances::BalanceRow> presented =
        balances::balanceRows(mutaties, false, &records);
    std::vector<qint64> days;
    for (std::size_t i = 0; i < presented.size();) {
        // The day's row that comes last in the bank's order.
        std::size_t last = i;
        const qint64 day = presented[i].day;
        for (; i < presented.size() && presented[i].day == day; ++i)
            if (rank.at(records[i]) > rank.at(records[last]))
                last = i;
        days.push_back(day);
        series[0].points.push_back({double(presented[last].after) / 100.0,
                                    QDate::fromJulianDay(day).toString(Qt::ISODate),
                                    series[0].colour});
    }
    if (days.empty())
        return series;
    for (const balances::Gap& gap : walk.gaps)
        if (gap.lastBefore.toJulianDay() >= days.front() &&
            gap.firstAfter.toJulianDay() <= days.back())
            series[1].points.push_back(
                {double(gap.missingCents) / 100.0,
                 gap.lastBefore.toString(Qt::ISODate) + u'/' + gap.firstAfter.toString(Qt::ISODate),
                 series[1].colour});
    return series;
}

} // namespace charts
