#pragma once

#include "categories/category_resolver.h"
#include "relations/group_resolver.h"
#include "store/dbase/table.h"

#include <vector>

namespace categories {

// What one rule does now, for the dialog "Rubrieken".
struct CategoryRuleStatistics
{
    int transactions = 0; // the transactions it decides
    qint64 cents = 0;     // their signed sum
    int shadowed = 0;     // transactions it matches that an own account or an earlier rule took
};

// Per rule of `categories` (by index), over every row of mutaties (no filter; the cursor stays).
// Groep is the group `groups` gives.
std::vector<CategoryRuleStatistics> categoryRuleStatistics(dbase::Table& mutaties,
                                                           const relations::GroupResolver& groups,
                                                           const CategoryResolver& categories);

} // namespace categories
