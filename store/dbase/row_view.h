#pragma once

#include "store/dbase/field_def.h"

#include <QDate>
#include <QString>
#include <vector>

namespace dbase {

// Typed reads of one record's bytes. An empty field reads as empty text, 0, an invalid QDate or
// false. Cheap to copy; valid only as long as the table does not change.
class RowView
{
public:
    RowView(const char* bytes, const std::vector<FieldDef>* fields)
        : m_bytes(bytes), m_fields(fields)
    {
    }

    bool isNull(int field) const;
    QString asString(int field) const; // texts without trailing blanks; dates ISO; numbers C locale
    double asFloat(int field) const;
    qint64 asInteger(int field) const;
    QDate asDate(int field) const;
    bool asBoolean(int field) const;

    const char* bytes() const { return m_bytes; }

private:
    const char* m_bytes;
    const std::vector<FieldDef>* m_fields;
};

} // namespace dbase
