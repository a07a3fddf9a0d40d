#pragma once

#include "recurring/recurring_item.h"

#include <vector>

namespace recurring {

// The recurring items among the payments, as the reader hands them (date order not required);
// `asOf` is the day detection looks from (later payments, zero amounts, payments without a date
// and cash withdrawals are left out). Payments are taken per counterparty and sign: per relation
// group, or per reknum where one reknum has several groups. A series is three payments or more a
// month, quarter or half year apart (two a year apart with nearly equal amounts), the dates a few
// days off; its amounts stay the same or change rarely (a monthly bill may vary: "wisselend"). A
// counterparty paid more than once in most periods of a rhythm has no item of that rhythm, and a
// series overdue by more than half its rhythm has ended ("gestopt"). Items come sorted by
// relation (case ignored), then rhythm, costs before income.
std::vector<RecurringItem> detectRecurring(std::vector<Payment> payments, QDate asOf);

} // namespace recurring
