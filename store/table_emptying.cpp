#include "store/table_emptying.h"

#include "store/dbase/engine_error.h"
#include "store/dbase/table.h"

#include <exception>

namespace store {
namespace {

// Shared again, and open when it was: the state the table had before the emptying began.
void restoreShared(dbase::Table& table, bool wasOpen)
{
    if (table.isOpen())
        table.close();
    table.setExclusive(false);
    if (wasOpen)
        table.open();
}

} // namespace

void emptyTableExclusively(dbase::Table& table)
{
    const bool wasOpen = table.isOpen();
    table.close();
    table.setExclusive(true);
    try {
        table.open();
        table.emptyTable();
        table.close(); // closing flushes: the emptied file is on the disk before it is back
    } catch (const std::exception& error) {
        try {
            restoreShared(table, wasOpen);
        } catch (const std::exception& restoring) {
            // Both matter: why the emptying failed, and that the table could not be reopened.
            throw dbase::EngineError(QString::fromUtf8(error.what()) + u'\n' +
                                     QString::fromUtf8(restoring.what()));
        }
        throw;
    }
    table.setExclusive(false);
    table.open();
}

} // namespace store
