#pragma once

#include "store/dbase/table.h"

namespace relations {

// The double click on a relations grid row: flips the select flag of bedrijven's current row
// (an empty flag counts as cleared, so it becomes set) and stores the row at once, on the disk
// before it returns. When the table presents no row nothing changes and the result is false.
bool toggleSelect(dbase::Table& bedrijven);

// "select" (true) and "deselect" (false): writes the flag of every row that bedrijven presents,
// the rows reaching the file together at the end of the walk, on the disk before it returns;
// rows the filter hides keep theirs. Controls are suspended during the walk, also when a store
// fails; afterwards the first presented row is current. Returns the number of rows written.
int setSelectOfPresented(dbase::Table& bedrijven, bool select);

} // namespace relations
