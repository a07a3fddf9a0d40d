#pragma once

#include "store/dbase/table.h"

namespace relations {
class GroupResolver;
}

namespace relations {

// "Vul per maand": sets jan..dec of every bedrijven row that the table presents to 0, then adds
// each presented transaction's Bedrag to the month field of its relation-year row (found among
// the presented rows; a transaction without one is skipped). Each reset and each credit is a
// stored row write of its own, so an error leaves every row consistent with what was handled.
// Controls of both tables are suspended during the pass and resumed also after an error.
// Returns once the totals are on the disk; a pass killed half way is made good by the next.
// With a resolver, a transaction counts in the row of its group instead of its Naam.
void fillMonthTotals(dbase::Table& mutaties, dbase::Table& bedrijven,
                     const GroupResolver* groups = nullptr);

} // namespace relations
