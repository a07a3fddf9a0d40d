#include "app/groups_notice.h"

#include "notices/page_notices.h"

#include <QBoxLayout>
#include <QLabel>

namespace app {

QLabel* addGroupsNotice(QWidget* page)
{
    auto* notice = new QLabel(notices::kGroupsNotApplied, page);
    notice->setObjectName(QStringLiteral("groupsNotice"));
    notice->setWordWrap(true);
    notice->setContentsMargins(8, 3, 8, 3);
    notice->setStyleSheet(
        QStringLiteral("QLabel#groupsNotice { background: #FFF4CE; color: #5C4400; }"));
    notice->hide();
    if (auto* layout = qobject_cast<QBoxLayout*>(page->layout()))
        layout->insertWidget(1, notice);
    return notice;
}

void showGroupsNotice(QLabel* notice, bool rulesApplied)
{
    if (notice)
        notice->setVisible(!rulesApplied);
}

} // namespace app
