#pragma once

#include "store/dbase/table_definition.h"

namespace store {

// The tables of the program, as created when missing and as required of existing files.
const dbase::TableDefinition& mutatiesDefinition();
const dbase::TableDefinition& bedrijvenDefinition();

} // namespace store
