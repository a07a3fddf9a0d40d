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
        if (!m_table.isOpen())
            return;
        // A row whose store failed is still pending; re-filtering would try to store it again
        // and throw out of this destructor. The failure is on its way to the user already.
        if (m_table.state() == Table::State::Edit || m_table.state() == Table::State::Insert)
            m_table.cancel();
        m_table.setFiltered(m_wasFiltered);
    }
    FilterLift(const FilterLift&) = delete;
    FilterLift& operator=(const FilterLift&) = delete;

private:
    Table& m_table;
    bool m_wasFiltered;
};

} // namespace dbase
