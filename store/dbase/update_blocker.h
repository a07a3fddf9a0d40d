#pragma once

#include "store/dbase/table.h"

namespace dbase {

// Controls bound to a table stop following it for the lifetime of the blocker; they show the
// table's state once afterwards, also when the walk in between threw.
class UpdateBlocker
{
public:
    explicit UpdateBlocker(Table& table) : m_table(table) { m_table.disableControls(); }
    ~UpdateBlocker() { m_table.enableControls(); }
    UpdateBlocker(const UpdateBlocker&) = delete;
    UpdateBlocker& operator=(const UpdateBlocker&) = delete;

private:
    Table& m_table;
};

// Presents every row of a table for the lifetime of the guard, then puts its filter back.
class FilterLift
{
public:
    explicit FilterLift(Table& table) : m_table(table), m_wasFiltered(table.filtered())
    {
        m_table.setFiltered(false);
    }
    ~FilterLift()
    {
        // Re-filtering can only fail on a closed table, where there is nothing to present.
        if (m_table.isOpen())
            m_table.setFiltered(m_wasFiltered);
    }
    FilterLift(const FilterLift&) = delete;
    FilterLift& operator=(const FilterLift&) = delete;

private:
    Table& m_table;
    bool m_wasFiltered;
};

} // namespace dbase
