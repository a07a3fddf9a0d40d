#pragma once

#include "store/dbase/table.h"
#include "store/dbase/table_definition.h"

#include <QString>
#include <functional>

// Whole small tables beside the tables folder's own (the rules, their backups, the rows a rebuild
// removed), each replaced in one step, so that a program killed meanwhile leaves the old file or
// the new one, never a mix.
namespace relations::tablefiles {

// Puts `from` in the place of `to` in one step (an existing `to` is replaced).
void replaceFile(const QString& from, const QString& to);

// A copy of `from` at `to`, replacing it in one step.
void copyFile(const QString& from, const QString& to);

// Writes a new table with `definition`'s fields at `path` (replacing a file there): `fill`
// appends its rows to the open table, which reaches the disk whole before it takes the name.
void writeTable(const QString& path, const dbase::TableDefinition& definition,
                const std::function<void(dbase::Table&)>& fill);

// Opens the table file at `path` for reading only (a definition whose file name is the path's).
// Throws the engine's error when it is missing or damaged.
void openForReading(dbase::Table& table, const QString& path, dbase::TableDefinition definition);

} // namespace relations::tablefiles
