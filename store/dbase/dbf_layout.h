#pragma once

#include "store/dbase/code_page.h"
#include "store/dbase/field_def.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace dbase {

// What a .DBF file's header says, checked against itself and against the file's length: the
// fields, where the rows are and how many of them can be read. Reading it changes nothing.
struct DbfLayout
{
    int level = 7;
    char versionByte = 0x04;
    int headerLength = 0;
    int recordLength = 0;
    std::uint32_t storedCount = 0; // as the header says
    std::uint32_t count = 0;       // rows to read: the stored count as the file bears it out
    unsigned char languageDriver = 0x57;
    std::optional<CodePage> codePage; // empty: a code page this engine cannot write
    std::vector<FieldDef> fields;
    std::vector<int> indexFlagOffsets; // header offset of each field's production-index flag
    int descriptorsEnd = 0;            // header offset of the byte that ends the descriptors
    QStringList warnings;              // what the user must know: rows lost, bytes ignored ...

    // Reads the header and checks every row's deletion flag. A complete row written after the
    // counted ones (a crash before the count was updated) is counted; rows the count promises
    // but the file lacks are reported in `warnings`. Throws EngineError naming `path` when the
    // bytes are no dBase table, or one this engine cannot read without guessing.
    static DbfLayout read(const char* bytes, qint64 size, const QString& path);
};

} // namespace dbase
