#pragma once

#include "recurring/recurring_item.h"
#include "store/data_module.h"

#include <optional>
#include <vector>

namespace recurring {

// What the page "Vaste lasten" and `kolvaro-cli vast` show.
struct FixedCosts
{
    std::vector<RecurringItem> items; // sorted by relation; hidden ones left out unless asked
    qint64 costsPerMonth = 0;         // running cost items, each brought to a month (negative)
    qint64 incomePerMonth = 0;        // the same for income (positive)
    QDate asOf;                       // the day detection looked from
};

// Detection over the open tables of `data`, with the folder's group rules and hidden items.
// `asOf` defaults to the last transaction's date. Throws (Dutch message) when the rules or the
// hidden items cannot be read. Moves mutaties' cursor.
FixedCosts fixedCosts(store::TDataModule1& data, std::optional<QDate> asOf, bool withHidden);

// The totals over `items` as fixedCosts() computes them (hidden items excluded by the caller).
void addTotals(FixedCosts& costs);

} // namespace recurring
