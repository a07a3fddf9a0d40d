#pragma once

namespace dbase {

// Controls bound to a table (grids, navigators, count labels) follow it through this observer.
// Positions are positions among the presented rows. While the table's controls are disabled
// nothing is announced; enabling them again announces one reset.
class TableObserver
{
public:
    virtual ~TableObserver() = default;
    virtual void aboutToReset() = 0; // the presented rows are about to change wholesale
    virtual void reset() = 0;        // ... and have changed
    virtual void aboutToInsert(int position) = 0;
    virtual void inserted(int position) = 0;
    virtual void rowChanged(int position) = 0;     // values of a presented row changed in place
    virtual void currentChanged(int position) = 0; // the cursor moved (-1: no current row)
};

} // namespace dbase
