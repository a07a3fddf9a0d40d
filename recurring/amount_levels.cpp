#include "recurring/amount_levels.h"

#include <algorithm>
#include <cstdlib>

namespace recurring {
namespace {

// A run of payments at one amount; a level may hold one odd payment (a blip) inside it.
struct Level
{
    std::size_t start = 0;
    std::size_t count = 0;
    qint64 cents = 0;
};

std::vector<Level> levelsOf(const std::vector<Payment>& series, int& blips)
{
    std::vector<Level> levels;
    blips = 0;
    for (std::size_t i = 0; i < series.size(); ++i) {
        const qint64 cents = series[i].cents;
        if (!levels.empty() && levels.back().cents == cents) {
            ++levels.back().count;
            continue;
        }
        // One payment between two equal levels: a correction or a pro-rated month, not a change.
        if (levels.size() >= 2 && levels.back().count == 1 &&
            levels[levels.size() - 2].cents == cents) {
            levels.pop_back();
            ++blips;
            levels.back().count += 2;
            continue;
        }
        levels.push_back({i, 1, cents});
    }
    return levels;
}

// Whether the amounts are the same kind of bill: none far from the middle one.
bool saneRange(const std::vector<Payment>& series)
{
    std::vector<qint64> sizes;
    sizes.reserve(series.size());
    for (const Payment& p : series)
        sizes.push_back(std::llabs(p.cents));
    std::nth_element(sizes.begin(), sizes.begin() + qsizetype(sizes.size() / 2), sizes.end());
    const qint64 median = sizes[sizes.size() / 2];
    return std::all_of(sizes.begin(), sizes.end(),
                       [&](qint64 size) { return size * 4 >= median && size <= median * 4; });
}

// Bills that vary come monthly (energy, phone); at longer rhythms too few payments tell a bill
// from chance visits.
constexpr std::size_t kVariableMinimum = 6;

} // namespace

AmountVerdict judgeAmounts(const std::vector<Payment>& series, Rhythm rhythm)
{
    AmountVerdict verdict;
    const std::size_t n = series.size();
    if (n < 2)
        return verdict;
    if (n == 2) {
        // Two payments only make a series when (nearly) equal.
        const qint64 a = std::llabs(series[0].cents);
        const qint64 b = std::llabs(series[1].cents);
        if (std::llabs(a - b) * 100 > a * 15)
            return verdict;
    }
    int blips = 0;
    const std::vector<Level> levels = levelsOf(series, blips);
    const std::size_t changes = levels.size() - 1 + std::size_t(blips);
    // A short series has no room for an odd payment, and in one of a short rhythm every amount
    // comes twice at least: two of three equal amounts are chance.
    const bool longRhythm = rhythmMonths(rhythm) >= 6;
    const bool fixed =
        n < 6 ? blips == 0 && levels.size() <= 2 &&
                    (longRhythm || std::all_of(levels.begin(), levels.end(),
                                               [](const Level& l) { return l.count >= 2; }))
              : changes <= std::max<std::size_t>(1, n / 6);
    if (!fixed) {
        if (rhythm == Rhythm::Month && n >= kVariableMinimum && saneRange(series))
            verdict.kind = AmountKind::Variable;
        return verdict;
    }
    verdict.kind = AmountKind::Fixed;
    const std::size_t held = longRhythm ? 1 : 2;
    for (std::size_t j = levels.size() - 1; j >= 1; --j) {
        if (levels[j].count < held)
            continue;
        const Payment& before = series[levels[j].start - 1];
        const Payment& first = series[levels[j].start];
        const qint64 old = std::llabs(before.cents);
        verdict.rise =
            PriceRise{first.date, before.cents, first.cents,
                      old == 0 ? 0.0 : double(std::llabs(first.cents) - old) * 100.0 / double(old)};
        break;
    }
    return verdict;
}

} // namespace recurring
