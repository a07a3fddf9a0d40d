#pragma once

#include "recurring/recurring_item.h"

#include <vector>

namespace recurring {

// The recurring items among the payments, as the reader hands them (date order not required);
// `asOf` is the day detection looks from (later payments are left out). Items come sorted by
// relation, then rhythm, costs before income.
std::vector<RecurringItem> detectRecurring(std::vector<Payment> payments, QDate asOf);

} // namespace recurring
