#pragma once

#include "store/dbase/table.h"

namespace relations {
class GroupResolver;
}

namespace relations {

// "Aanvullen relaties": gives every transaction that mutaties presents (its page filter
// applies) a bedrijven row for its Naam and year, adding only missing rows. Rows hidden by a
// filter on bedrijven count as present: the pass looks at all of them, so it never adds a pair
// twice. Controls of both tables are suspended during the pass and resumed also after an error.
// Returns once the added rows are on the disk. With a resolver, the row is that of the
// transaction's group instead of its Naam.
void completeRelations(dbase::Table& mutaties, dbase::Table& bedrijven,
                       const GroupResolver* groups = nullptr);

} // namespace relations
