#pragma once

#include "store/dbase/code_page.h"

#include <QByteArray>
#include <QString>

namespace dbase {

// What a field holds as the program sees it, derived from the stored type letter and width
// the way classic dBase engines map them (N with no decimals and width <= 4 is a 16-bit integer).
enum class DataType
{
    String,
    Date,
    SmallInt,
    Integer,
    LargeInt,
    Float,
    Boolean,
    Unsupported
};

// One stored field of a DBF file.
struct FieldDef
{
    QString name;     // as stored (upper case in files we write)
    char type = 'C';  // C D N F L I O (M, B, G, @, + are read but not decoded)
    int width = 0;    // bytes in the record
    int decimals = 0; // N and F only
    int offset = 0;   // byte offset in the record; 0 is the deletion flag, so >= 1
    CodePage codePage = CodePage::Windows1252; // of the table, for C fields

    DataType dataType() const;
};

// A field the program needs: a logical name (matched without regard to case, and by its first
// ten characters in level-3/4/5 files, where names cannot be longer) and the type it must read as.
struct RequiredField
{
    QString name;
    DataType type;
};

} // namespace dbase
