#pragma once

#include "relations/group_rules_table.h"

// The table of the category rules (rubriek.DBF beside the other tables): the layout of the group
// rules' table with rubriek in the place of groep. Its backup has its layout.
namespace categories::rulestable {

using namespace relations::rulestable;
inline const QString kRubriek = QStringLiteral("rubriek");

const dbase::TableDefinition& definition();

} // namespace categories::rulestable
