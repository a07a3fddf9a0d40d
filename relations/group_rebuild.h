#pragma once

#include "relations/group_resolver.h"
#include "relations/removed_relation_years.h"
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
    bool stored = false; // a row of the pair is stored now (it changes or goes; else it comes)
};

// A rebuild changes only the relation-year rows whose transactions it sees: a row is in reach
// when a stored transaction of its year has its name as the bank's name, as its group under the
// new rules or under `before` (the rules the table was last rebuilt under), or when its name is
// a group of those rules and its year has transactions. Every other row (years whose
// transactions were emptied away, names no stored transaction bears) stays exactly as it is.
// Without `before`, the old rules' groups are not known and only the new rules' count.

// What rebuilding bedrijven under the rules would change, in (jaar, group) order. Reads both
// tables whole, whatever their filters; writes nothing.
std::vector<GroupChange> plannedGroupChanges(dbase::Table& mutaties, dbase::Table& bedrijven,
                                             const GroupResolver& groups,
                                             const GroupResolver* before = nullptr);

// Rebuilds bedrijven from every transaction of mutaties (filters lifted): one row for every
// (group, year) that has transactions, with the month totals "Vul per maand" gives; rows in
// reach that no transaction makes any more are removed, as is a second row of one pair, and
// kept in `removed` (saved before the first row goes). A row that stays keeps its select flag;
// a new row takes the flag and bank number of its removed row when `removed` holds one (new
// rows that come back are appended in the order they were removed), else starts unselected.
// Rows already right are not written, so a second rebuild changes nothing. The file is packed
// afterwards. Returns the number of rows, once they are on the disk.
int rebuildRelationYears(dbase::Table& mutaties, dbase::Table& bedrijven,
                         const GroupResolver& groups, const GroupResolver* before = nullptr,
                         RemovedRelationYears* removed = nullptr);

// How many transactions of mutaties (all of them) get another group under `after` than under
// `before`: the number the question before saving rules shows.
int transactionsChangingGroup(dbase::Table& mutaties, const GroupResolver& before,
                              const GroupResolver& after);

} // namespace relations
