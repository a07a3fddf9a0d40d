#pragma once

#include "recurring/recurring_item.h"

#include <vector>

namespace recurring {

// How a rhythm's payments may wander and go missing.
struct RhythmRule
{
    Rhythm rhythm = Rhythm::Month;
    int toleranceDays = 5;  // around the expected date: weekends, bank holidays
    int minimumCount = 3;   // payments that make a series
    int maxMissedInRow = 2; // periods in a row without payment (a missed export, a holiday)
};

// The rules of every rhythm, shortest first.
const std::vector<RhythmRule>& rhythmRules();

// The payments of one counterparty and one sign, in date order, of which `taken` marks those an
// item holds already.
struct PaymentSet
{
    std::vector<Payment> payments;
    std::vector<char> taken;
};

// Whether most calendar periods of the rhythm that hold a free payment of the set hold more than
// one: a shop one visits often, never a fixed cost of that rhythm.
bool busyInMostPeriods(const PaymentSet& set, Rhythm rhythm);

// The free payments (indexes into the set) that follow `start` at the rule's rhythm: from each
// payment the next is sought a period later, within the tolerance, the one whose amount is
// nearest the previous one where several qualify. At most half as many periods may be missed
// as the chain holds payments. `budget` is decreased by the steps taken (a bound on the work per
// set).
std::vector<std::size_t> followRhythm(const PaymentSet& set, std::size_t start,
                                      const RhythmRule& rule, long& budget);

// The free payments of the set that the chain does not hold: between its first and last, or in
// the whole set.
std::size_t strayPayments(const PaymentSet& set, const std::vector<std::size_t>& chain,
                          bool wholeSet);

} // namespace recurring
