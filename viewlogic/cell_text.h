#pragma once

#include "store/date_format.h"
#include "store/dbase/field_def.h"
#include "store/dbase/row_view.h"

#include <QString>

// How the grids write a field's value, shared by the grid model, the clipboard and the export.
namespace views {

enum class Display
{
    Text,
    Date,
    Integer,
    Amount, // ",0.00"
    Flag,   // "X" when set, nothing otherwise
};

Display displayOf(dbase::DataType type);

// The text a grid cell shows: dates in `dates`' pattern, amounts in the program's number format;
// empty for an empty field.
QString gridText(const dbase::RowView& row, int field, Display display,
                 const store::datefmt::DateFormatter& dates);

} // namespace views
