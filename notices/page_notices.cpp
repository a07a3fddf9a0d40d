#include "notices/page_notices.h"

#include "relations/group_rules_file.h"
#include "store/totals_notice.h"

namespace notices {

QString totalsNotice(const QString& folder)
{
    const store::TotalsNotice notice(folder);
    if (notice.due(store::TotalsStep::CompleteRelations))
        return kTotalsStaleBoth;
    if (notice.due(store::TotalsStep::FillMonths))
        return kTotalsStaleFill;
    return {};
}

QString groupsNotice(const QString& folder, const std::vector<relations::GroupRule>& rules)
{
    return relations::groupRulesApplied(folder, rules) ? QString() : kGroupsNotApplied;
}

QStringList pageNotices(const QString& folder, const std::vector<relations::GroupRule>& rules)
{
    QStringList all;
    for (const QString& text : {groupsNotice(folder, rules), totalsNotice(folder)})
        if (!text.isEmpty())
            all << text;
    return all;
}

} // namespace notices
