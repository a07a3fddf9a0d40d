#pragma once

#include "store/dbase/table.h"

#include <QByteArray>
#include <QString>
#include <vector>

// What any table file, however damaged, must allow once it opens: every reader on every field
// of every row, and a row of the engine's own after them. Shared by the mutation test and the
// fuzz target, which judge the results each in their own way.
namespace dbforacle {

// The bytes of one row: its deletion flag and every field.
inline int rowLength(const dbase::Table& table)
{
    int length = 1;
    for (int f = 0; f < table.fieldCount(); ++f)
        length += table.fieldDef(f).width;
    return length;
}

// Every field of the row through every reader; the row's bytes.
inline QByteArray readRow(const dbase::Table& table, const dbase::RowView& row, int length)
{
    for (int f = 0; f < table.fieldCount(); ++f) {
        (void)row.isNull(f);
        (void)row.asString(f);
        (void)row.asFloat(f);
        (void)row.asInteger(f);
        (void)row.asDate(f);
        (void)row.asBoolean(f);
    }
    return QByteArray(row.bytes(), length);
}

// Every presented row by position, read through every reader.
inline std::vector<QByteArray> rowsByPosition(const dbase::Table& table)
{
    const int length = rowLength(table);
    std::vector<QByteArray> rows;
    for (int r = 0; r < table.recordCount(); ++r)
        rows.push_back(readRow(table, table.rowAt(r), length));
    return rows;
}

// Every presented row by cursor moves, read through every reader.
inline std::vector<QByteArray> rowsByCursor(dbase::Table& table)
{
    const int length = rowLength(table);
    std::vector<QByteArray> rows;
    for (table.first(); !table.eof(); table.next())
        rows.push_back(readRow(table, table.currentRow(), length));
    return rows;
}

// Appends and posts a row with "nieuw" in every text field and the other fields empty.
inline void appendEngineRow(dbase::Table& table)
{
    table.append();
    for (int f = 0; f < table.fieldCount(); ++f)
        if (table.fieldDef(f).type == 'C')
            table.field(f).setAsString(QStringLiteral("nieuw"));
    table.post();
}

} // namespace dbforacle
