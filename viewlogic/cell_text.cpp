#include "viewlogic/cell_text.h"

#include "store/number_format.h"

namespace views {

Display displayOf(dbase::DataType type)
{
    switch (type) {
    case dbase::DataType::Date:
        return Display::Date;
    case dbase::DataType::SmallInt:
    case dbase::DataType::Integer:
    case dbase::DataType::LargeInt:
        return Display::Integer;
    case dbase::DataType::Float:
        return Display::Amount;
    case dbase::DataType::Boolean:
        return Display::Flag;
    default:
        return Display::Text;
    }
}

QString gridText(const dbase::RowView& row, int field, Display display,
                 const store::datefmt::DateFormatter& dates)
{
    if (row.isNull(field))
        return {};
    switch (display) {
    case Display::Date:
        return dates.format(row.asDate(field));
    case Display::Integer:
        return QString::number(row.asInteger(field));
    case Display::Amount:
        return store::numfmt::formatAmount(row.asFloat(field));
    case Display::Flag:
        return row.asBoolean(field) ? QStringLiteral("X") : QString();
    case Display::Text:
        break;
    }
    return row.asString(field);
}

} // namespace views
