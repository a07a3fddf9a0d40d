#pragma once

#include "recurring/recurring_item.h"
#include "store/data_module.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace recurring {

// What the page "Vaste lasten" and `kolvaro-cli vast` show.
struct FixedCosts
{
    std::vector<RecurringItem> items; // sorted by relation; hidden ones left out unless asked
    qint64 costsPerMonth = 0;         // running cost items, each brought to a month (negative)
    qint64 incomePerMonth = 0;        // the same for income (positive)
    QDate asOf;                       // the day detection looked from; invalid without rows
    // What the user must be told: group rules that could not be read (every group is then the
    // transaction's own name), patterns that gave up on a text.
    QStringList warnings;
};

// Detection over every stored row of mutaties (whatever a filter presents), with the folder's
// group rules and hidden items. `asOf` defaults to the last transaction's date. Hidden items are
// never in the totals. Throws (Dutch message) when the hidden items cannot be read.
FixedCosts fixedCosts(store::TDataModule1& data, std::optional<QDate> asOf, bool withHidden);

// Sets the totals from `costs.items`: every item not stopped and not hidden, brought to a month.
void addTotals(FixedCosts& costs);

} // namespace recurring
