#include "pipeline/passes.h"

#include "relations/completion.h"
#include "relations/group_changes.h"
#include "relations/month_totals.h"

namespace pipeline {

namespace {

// A pass that saw only the filtered rows does not bring every total up to date.
void stepRan(const store::TDataModule1& data, store::TotalsStep step)
{
    if (store::passSeesEveryRow(data.T1, data.T2))
        store::TotalsNotice(data.T1.directory()).stepRan(step);
}

} // namespace

void totalsBecameStale(const store::TDataModule1& data)
{
    // Rows first, then their months.
    store::TotalsNotice(data.T1.directory()).markDue(store::TotalsStep::CompleteRelations);
}

void completeRelations(store::TDataModule1& data, const relations::GroupResolver& groups)
{
    relations::completeRelations(data.T1, data.T2, &groups);
    stepRan(data, store::TotalsStep::CompleteRelations);
}

void fillMonths(store::TDataModule1& data, const relations::LoadedRules& rules)
{
    relations::requireReadableRules(rules);
    relations::requireTransactionsTable(data);
    const relations::GroupResolver groups(rules.rules);
    relations::fillMonthTotals(data.T1, data.T2, &groups);
    stepRan(data, store::TotalsStep::FillMonths);
}

} // namespace pipeline
