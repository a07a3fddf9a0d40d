#pragma once

#include "store/dbase/field_def.h"

#include <QString>
#include <vector>

namespace dbase {

// A single-field ascending index, kept by the engine in memory.
struct IndexDef
{
    QString name;  // tag name, e.g. "DATUM"
    QString field; // logical field name
};

// Everything the engine needs to create a missing table and to check an existing one.
struct TableDefinition
{
    QString fileName;                    // e.g. "mutaties.DBF"
    std::vector<FieldDef> fields;        // created in this order, at level 7 (offsets are computed)
    std::vector<RequiredField> required; // an existing file must have these; extra fields are kept
    std::vector<IndexDef> indexes;
    // Fields of `fields` that files written by earlier versions lack. Such a file opens without
    // them; the first write adds them after its own fields, empty in every row it holds, and
    // keeps the file as it was beside it as a backup (DbfFile::addFields).
    std::vector<QString> laterFields;
};

} // namespace dbase
