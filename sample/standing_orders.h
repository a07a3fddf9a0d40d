#pragma once

#include "sample/counterparties.h"
#include "sample/sample_tab.h"

#include <QDate>
#include <vector>

namespace sample {

// A counterparty paid or paying at a rhythm: salary, rent, premiums, subscriptions, bills.
struct StandingOrder
{
    Party party;          // party.day: the day of the month it falls due
    int months = 1;       // its rhythm: 1, 3, 6 or 12
    int firstMonth = 0;   // the month of the period (0-based) of its first payment
    int count = 0;        // payments before it ends; 0: it runs to the period's end
    int risePermille = 0; // where in its payments the amount goes up; 0: never
    int risePercent = 0;
    int swingPercent = 0; // a variable bill: each amount differs by up to this much
};

// The standing orders of a file, made from the random source in a fixed order.
std::vector<StandingOrder> makeStandingOrders(Random& random);

struct Due
{
    QDate date;
    qint64 cents = 0; // with its sign
};

// The payments of `order` in the period of `options`, the due day moved off the weekend (to the
// Monday, or the Friday at the period's end), in date order.
std::vector<Due> duesOf(const StandingOrder& order, const SampleOptions& options, Random& random);

} // namespace sample
