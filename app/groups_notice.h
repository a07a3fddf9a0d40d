#pragma once

class QLabel;
class QWidget;

namespace app {

// The line under a page's header that says the totals do not yet follow the relation-group
// rules. `page` must have a vertical layout whose first item is the header.
QLabel* addGroupsNotice(QWidget* page);
// Shown only while the totals do not follow the rules.
void showGroupsNotice(QLabel* notice, bool rulesApplied);

} // namespace app
