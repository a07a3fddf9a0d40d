#pragma once

#include "recurring/recurring_item.h"
#include "relations/group_resolver.h"
#include "store/dbase/table.h"

#include <vector>

namespace recurring {

// Every stored row of mutaties (whatever a filter presents) as a Payment, in the table's date
// order, with its relation group from the resolver (its Naam when no rule applies), reading only
// the fields needed.
std::vector<Payment> storedPayments(dbase::Table& mutaties, const relations::GroupResolver& groups);

} // namespace recurring
