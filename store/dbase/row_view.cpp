#include "store/dbase/row_view.h"

#include "store/dbase/field_codec.h"

namespace dbase {

bool RowView::isNull(int field) const
{
    return codec::isNull((*m_fields)[field], m_bytes);
}
QString RowView::asString(int field) const
{
    return codec::readString((*m_fields)[field], m_bytes);
}
double RowView::asFloat(int field) const
{
    return codec::readFloat((*m_fields)[field], m_bytes);
}
qint64 RowView::asInteger(int field) const
{
    return codec::readInteger((*m_fields)[field], m_bytes);
}
QDate RowView::asDate(int field) const
{
    return codec::readDate((*m_fields)[field], m_bytes);
}
bool RowView::asBoolean(int field) const
{
    return codec::readBoolean((*m_fields)[field], m_bytes);
}

} // namespace dbase
