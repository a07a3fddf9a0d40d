#include "notices/page_notices.h"

#include "notices/totals_notice.h"
#include "relations/group_rules_file.h"

namespace notices {

QString totalsNotice(const QString& folder)
{
    const notices::TotalsNotice notice(folder);
    if (notice.due(notices::TotalsStep::CompleteRelations))
        return kTotalsStaleBoth;
    if (notice.due(notices::TotalsStep::FillMonths))
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
