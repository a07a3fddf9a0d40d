#include "views/cell_rules.h"

#include "store/table_names.h"

#include <algorithm>

namespace views {

bool ruleApplies(GridRule rule, const QString& fieldName)
{
    if (rule == GridRule::Sign)
        return fieldName == store::names::kBedrag;
    const auto& months = store::names::kMonths;
    return std::find(months.begin(), months.end(), fieldName) != months.end();
}

CellTone cellTone(GridRule rule, const QString& fieldName, double value)
{
    if (!ruleApplies(rule, fieldName))
        return CellTone::Unchanged;
    return ruledTone(rule, value);
}

CellTone ruledTone(GridRule rule, double value)
{
    if (value < 0)
        return CellTone::Negative;
    if (value > 0)
        return CellTone::Positive;
    // A zero month total is hidden; a zero transaction keeps the grid's colour.
    return rule == GridRule::Month ? CellTone::Hidden : CellTone::Unchanged;
}

} // namespace views
