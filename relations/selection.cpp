#include "relations/selection.h"

#include "store/dbase/update_blocker.h"
#include "store/table_names.h"

namespace relations {

bool toggleSelect(dbase::Table& bedrijven)
{
    if (bedrijven.isEmpty())
        return false;
    dbase::Field flag = bedrijven.fieldByName(store::names::kSelect);
    const bool wasSet = flag.asBoolean();
    bedrijven.edit();
    flag.setAsBoolean(!wasSet);
    bedrijven.post();
    bedrijven.flush();
    return true;
}

int setSelectOfPresented(dbase::Table& bedrijven, bool select)
{
    dbase::Field flag = bedrijven.fieldByName(store::names::kSelect);
    int written = 0;
    // The walk's rows reach the file together at the flush: one write per run of neighbouring
    // rows instead of one per row.
    bedrijven.holdWritesUntilFlush();
    {
        const dbase::UpdateBlocker blocker(bedrijven);
        // Each next() stores the row it leaves, the last one included.
        for (bedrijven.first(); !bedrijven.eof(); bedrijven.next()) {
            bedrijven.edit();
            flag.setAsBoolean(select);
            ++written;
        }
    }
    bedrijven.flush();
    bedrijven.first();
    return written;
}

} // namespace relations
