#include "pipeline/passes.h"

#include "notices/totals_notice.h"
#include "relations/completion.h"
#include "relations/group_changes.h"
#include "relations/month_totals.h"

namespace pipeline {

namespace {

// A pass that saw only the filtered rows does not bring every total up to date.
void stepRan(const store::TDataModule1& data, notices::TotalsStep step)
{
    if (notices::passSeesEveryRow(data.T1, data.T2))
        notices::TotalsNotice(data.T1.directory()).stepRan(step);
}

// A pass over every row of both tables leaves nothing due.
void everyTotalCurrent(const store::TDataModule1& data)
{
    notices::TotalsNotice notice(data.T1.directory());
    notice.stepRan(notices::TotalsStep::CompleteRelations);
    notice.stepRan(notices::TotalsStep::FillMonths);
}

} // namespace

void totalsBecameStale(const store::TDataModule1& data)
{
    // Rows first, then their months.
    notices::TotalsNotice(data.T1.directory()).markDue(notices::TotalsStep::CompleteRelations);
}

void completeRelations(store::TDataModule1& data, const relations::GroupResolver& groups)
{
    relations::completeRelations(data.T1, data.T2, &groups);
    stepRan(data, notices::TotalsStep::CompleteRelations);
}

QString fillMonths(store::TDataModule1& data, const relations::LoadedRules& rules)
{
    relations::requireReadableRules(rules);
    relations::requireTransactionsTable(data);
    const relations::GroupResolver groups(rules.rules);
    relations::fillMonthTotals(data.T1, data.T2, &groups);
    stepRan(data, notices::TotalsStep::FillMonths);
    return groups.giveUpWarning();
}

relations::RebuildResult saveRulesAndRebuild(store::TDataModule1& data,
                                             const std::vector<relations::GroupRule>& rules)
{
    relations::RebuildResult result = relations::saveAndRebuild(data, rules);
    everyTotalCurrent(data);
    return result;
}

relations::RebuildResult rebuildGroups(store::TDataModule1& data)
{
    relations::RebuildResult result = relations::rebuildUnderRules(data);
    everyTotalCurrent(data);
    return result;
}

relations::RebuildResult undoRules(store::TDataModule1& data)
{
    relations::RebuildResult result = relations::undoAndRebuild(data);
    everyTotalCurrent(data);
    return result;
}

} // namespace pipeline
