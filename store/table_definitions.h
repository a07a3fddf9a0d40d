#pragma once

#include "store/dbase/table_definition.h"

namespace store {

// The tables of the program, as created when missing and as required of existing files.
const dbase::TableDefinition& mutatiesDefinition();
const dbase::TableDefinition& bedrijvenDefinition();
// The rules of the relation groups, one row per rule in the order of nr (no index).
const dbase::TableDefinition& relgroepDefinition();

} // namespace store
