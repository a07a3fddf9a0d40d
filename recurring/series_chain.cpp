#include "recurring/series_chain.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace recurring {

const std::vector<RhythmRule>& rhythmRules()
{
    static const std::vector<RhythmRule> rules = {
        {Rhythm::Month, 5, 3, 2},
        {Rhythm::Quarter, 8, 3, 2},
        {Rhythm::HalfYear, 10, 3, 1},
        {Rhythm::Year, 14, 2, 0},
    };
    return rules;
}

bool busyInMostPeriods(const PaymentSet& set, Rhythm rhythm)
{
    const int months = rhythmMonths(rhythm);
    std::unordered_map<int, int> perPeriod;
    for (std::size_t i = 0; i < set.payments.size(); ++i)
        if (!set.taken[i]) {
            const QDate& d = set.payments[i].date;
            ++perPeriod[(d.year() * 12 + d.month() - 1) / months];
        }
    const auto busy = std::count_if(perPeriod.begin(), perPeriod.end(),
                                    [](const auto& period) { return period.second > 1; });
    return busy * 2 > qsizetype(perPeriod.size());
}

std::vector<std::size_t> followRhythm(const PaymentSet& set, std::size_t start,
                                      const RhythmRule& rule, long& budget)
{
    const std::vector<Payment>& payments = set.payments;
    const int months = rhythmMonths(rule.rhythm);
    const QDate lastDate = payments.back().date;
    const QDate anchor = payments[start].date;
    std::vector<std::size_t> chain{start};
    int period = 0;       // periods since the start, the one sought included
    qint64 offsetSum = 0; // of the chain's payments from the anchor's day, in days
    int missedInRow = 0;
    int missed = 0;
    for (;;) {
        ++period;
        const std::size_t at = chain.back();
        // Sought a period after the previous payment and on the chain's usual day, so that a
        // payment made late and the next made early still follow each other.
        const QDate fromLast = payments[at].date.addMonths(months * (missedInRow + 1));
        const QDate fromAnchor =
            anchor.addMonths(months * period).addDays(offsetSum / qint64(chain.size()));
        const QDate from = std::min(fromLast, fromAnchor).addDays(-rule.toleranceDays);
        if (from > lastDate)
            break;
        const QDate to = std::max(fromLast, fromAnchor).addDays(rule.toleranceDays);
        auto first = std::lower_bound(payments.begin() + qsizetype(at) + 1, payments.end(), from,
                                      [](const Payment& p, const QDate& d) { return p.date < d; });
        std::size_t best = payments.size();
        qint64 bestGap = 0;
        qint64 bestOff = 0;
        for (auto it = first; it != payments.end() && it->date <= to && budget > 0; ++it) {
            --budget;
            const std::size_t i = std::size_t(it - payments.begin());
            if (set.taken[i])
                continue;
            const qint64 gap = std::llabs(it->cents - payments[at].cents);
            const qint64 off = std::min(std::llabs(fromLast.daysTo(it->date)),
                                        std::llabs(fromAnchor.daysTo(it->date)));
            if (best == payments.size() || gap < bestGap || (gap == bestGap && off < bestOff)) {
                best = i;
                bestGap = gap;
                bestOff = off;
            }
        }
        if (--budget <= 0)
            break;
        if (best != payments.size()) {
            offsetSum += anchor.addMonths(months * period).daysTo(payments[best].date);
            chain.push_back(best);
            missed += missedInRow;
            missedInRow = 0;
        } else if (++missedInRow > rule.maxMissedInRow) {
            break;
        }
    }
    // A longer rhythm's series seen at a shorter one misses most periods; a few missed ones are
    // months whose transactions were not imported.
    if (missed * 2 > int(chain.size()))
        return {start};
    return chain;
}

std::size_t strayPayments(const PaymentSet& set, const std::vector<std::size_t>& chain,
                          bool wholeSet)
{
    const std::size_t from = wholeSet ? 0 : chain.front();
    const std::size_t to = wholeSet ? set.payments.size() - 1 : chain.back();
    std::size_t free = 0;
    for (std::size_t i = from; i <= to; ++i)
        free += !set.taken[i];
    return free - chain.size();
}

} // namespace recurring
