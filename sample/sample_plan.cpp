#include "sample/sample_plan.h"

#include <QDate>
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <stdexcept>

namespace sample {
namespace {

// Per mille of the lines that are not standing orders, in the order of Layout.
constexpr std::array<int, kLayoutCount> kShares = {480, 90, 60, 170, 130, 70};

Layout pickLayout(Random& random)
{
    int roll = random.below(1000);
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        roll -= kShares[std::size_t(layout)];
        if (roll < 0)
            return Layout(layout);
    }
    return Layout::Other;
}

constexpr int kShortestGap = 3;
constexpr int kLongestGap = 31;

// Whether one of the sorted days lies strictly between `after` and `before`.
bool dayBetween(const std::vector<int>& days, int after, int before)
{
    const auto next = std::upper_bound(days.begin(), days.end(), after);
    return next != days.end() && *next < before;
}

} // namespace

SampleCounts plannedCounts(const SampleOptions& options)
{
    SampleCounts counts;
    if (options.lines > 0) {
        const qint64 wanted = std::llround(double(options.lines) * options.dupFraction);
        counts.copies = int(std::clamp<qint64>(wanted, 0, options.lines - 1));
        counts.unique = options.lines - counts.copies;
    }
    return counts;
}

int periodDays(const SampleOptions& options)
{
    const QDate first(options.startYear, 1, 1);
    return int(first.daysTo(first.addYears(options.years)));
}

std::vector<Slot> schedule(const SampleOptions& options, const std::vector<StandingOrder>& orders,
                           int unique, Random& random)
{
    const QDate first(options.startYear, 1, 1);
    const int days = periodDays(options);
    std::vector<Slot> plan;
    plan.reserve(std::size_t(unique));
    for (std::size_t i = 0; i < orders.size(); ++i) {
        const std::vector<Due> dues = duesOf(orders[i], options, random);
        if (int(plan.size() + dues.size()) > unique / 2)
            continue; // a shorter one further on may still fit
        for (const Due& due : dues)
            plan.push_back(
                {int(first.daysTo(due.date)), quint32(random.next()), int(i), due.cents});
    }
    while (int(plan.size()) < unique)
        plan.push_back(
            {random.below(days), quint32(random.next()), -1 - int(pickLayout(random)), 0});
    std::stable_sort(plan.begin(), plan.end(), [](const Slot& a, const Slot& b) {
        return a.day != b.day ? a.day < b.day : a.order < b.order;
    });
    return plan;
}

std::vector<Gap> chooseGaps(const std::vector<Slot>& plan, int days, int count, quint64 seed)
{
    std::vector<Gap> gaps;
    if (count <= 0)
        return gaps;
    std::vector<int> lineDays;
    for (const Slot& slot : plan)
        if (lineDays.empty() || lineDays.back() != slot.day)
            lineDays.push_back(slot.day);
    Random random(seed ^ 0x6761707300000000ull);
    // Each gap takes its days and a day of lines after it.
    const int attempts = count <= days / (kShortestGap + 1) ? 2000 * count : 0;
    for (int attempt = 0; attempt < attempts && int(gaps.size()) < count; ++attempt) {
        const int first = random.between(1, days - 1 - kShortestGap);
        const int last = std::min(first + random.between(kShortestGap, kLongestGap) - 1, days - 2);
        if (last - first + 1 < kShortestGap || !dayBetween(lineDays, first - 1, last + 1))
            continue;
        const auto place =
            std::upper_bound(gaps.begin(), gaps.end(), first,
                             [](int day, const Gap& gap) { return day < gap.first; });
        const int before = place == gaps.begin() ? -1 : std::prev(place)->last;
        const int after = place == gaps.end() ? days : place->first;
        if (before >= first || after <= last || !dayBetween(lineDays, before, first) ||
            !dayBetween(lineDays, last, after))
            continue;
        gaps.insert(place, {first, last});
    }
    if (int(gaps.size()) < count)
        throw std::invalid_argument(
            QStringLiteral("Geen ruimte voor %1 gaten tussen de regels").arg(count).toStdString());
    return gaps;
}

bool inGap(const std::vector<Gap>& gaps, int day)
{
    const auto next = std::upper_bound(gaps.begin(), gaps.end(), day,
                                       [](int d, const Gap& gap) { return d < gap.first; });
    return next != gaps.begin() && std::prev(next)->last >= day;
}

} // namespace sample
