#pragma once

#include "relations/group_resolver.h"
#include "store/dbase/table.h"

#include <QString>
#include <vector>

namespace relations {

// A (jaar, group) whose relation-year row the rebuild adds, removes or gives other totals;
// the year totals are the sums of the twelve months (0 for a row that is or will be absent).
struct GroupChange
{
    QString jaar;
    QString group;
    double oldTotal = 0.0;
    double newTotal = 0.0;
};

// What rebuilding bedrijven from every transaction under the rules would change, in (jaar,
// group) order. Reads both tables whole, whatever their filters; writes nothing.
std::vector<GroupChange> plannedGroupChanges(dbase::Table& mutaties, dbase::Table& bedrijven,
                                             const GroupResolver& groups);

// Rebuilds bedrijven from every transaction of mutaties (filters lifted): one row for every
// (group, year) that has transactions, with the month totals "Vul per maand" gives; rows no
// transaction reaches are deleted, as is a second row of one pair. A row that stays keeps its
// select flag; a new row starts unselected. Rows already right are not written, so a second
// rebuild changes nothing. Returns the number of rows, once they are on the disk.
int rebuildRelationYears(dbase::Table& mutaties, dbase::Table& bedrijven,
                         const GroupResolver& groups);

// How many transactions of mutaties (all of them) get another group under `after` than under
// `before`: the number the question before saving rules shows.
int transactionsChangingGroup(dbase::Table& mutaties, const GroupResolver& before,
                              const GroupResolver& after);

} // namespace relations
