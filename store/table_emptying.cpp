#include "store/table_emptying.h"

#include "store/dbase/table.h"

namespace store {

void emptyTableExclusively(dbase::Table& table)
{
    table.close();
    table.setExclusive(true);
    table.open();
    table.emptyTable();
    table.close(); // closing flushes: the emptied file is on the disk before the table is back
    table.setExclusive(false);
    table.open();
}

} // namespace store
