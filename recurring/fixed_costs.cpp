#include "recurring/fixed_costs.h"

#include "recurring/detection.h"
#include "recurring/hidden_items.h"
#include "recurring/stored_payments.h"
#include "relations/group_resolver.h"
#include "relations/group_rules_file.h"

#include <algorithm>

namespace recurring {

void addTotals(FixedCosts& costs)
{
    costs.costsPerMonth = 0;
    costs.incomePerMonth = 0;
    for (const RecurringItem& item : costs.items)
        if (!item.hidden && item.status != ItemStatus::Stopped)
            (item.income ? costs.incomePerMonth : costs.costsPerMonth) += item.perMonthCents();
}

FixedCosts fixedCosts(store::TDataModule1& data, std::optional<QDate> asOf, bool withHidden)
{
    const QString folder = data.T1.directory();
    FixedCosts costs;
    relations::LoadedRules loaded = relations::loadGroupRules(folder, false);
    costs.warnings = loaded.problems;
    const relations::GroupResolver groups(std::move(loaded.rules));
    std::vector<Payment> payments = storedPayments(data.T1, groups);
    if (const QString warning = groups.giveUpWarning(); !warning.isEmpty())
        costs.warnings << warning;
    const QStringList hidden = loadHiddenItems(folder);

    if (asOf) {
        costs.asOf = *asOf;
    } else {
        for (const Payment& p : payments)
            if (p.date.isValid() && (!costs.asOf.isValid() || p.date > costs.asOf))
                costs.asOf = p.date;
    }
    costs.items = detectRecurring(std::move(payments), costs.asOf);
    for (RecurringItem& item : costs.items)
        item.hidden = isHidden(item, hidden);
    if (!withHidden)
        std::erase_if(costs.items, [](const RecurringItem& item) { return item.hidden; });
    addTotals(costs);
    return costs;
}

} // namespace recurring
