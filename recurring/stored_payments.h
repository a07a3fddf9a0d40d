#pragma once

#include "recurring/recurring_item.h"
#include "relations/group_resolver.h"
#include "store/dbase/table.h"

#include <vector>

namespace recurring {

// Every row of mutaties as a Payment, with its relation group from the resolver (its Naam when
// no rule applies), reading only the fields needed. Moves the table's cursor.
std::vector<Payment> storedPayments(dbase::Table& mutaties, const relations::GroupResolver& groups);

} // namespace recurring
