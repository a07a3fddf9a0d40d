#pragma once

#include "store/dbase/table.h"

#include <QStringList>

namespace testsupport {

// The presented rows of a table as text, one line per row in index order, every field in it
// ("-" for an empty one), fields joined by "|".
inline QStringList rowsAsText(const dbase::Table& table)
{
    QStringList lines;
    for (int r = 0; r < table.recordCount(); ++r) {
        const dbase::RowView row = table.rowAt(r);
        QStringList cells;
        for (int f = 0; f < table.fieldCount(); ++f)
            cells << (row.isNull(f) ? QStringLiteral("-") : row.asString(f));
        lines << cells.join(u'|');
    }
    return lines;
}

} // namespace testsupport
