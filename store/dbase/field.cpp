#include "store/dbase/table.h"

#include "store/dbase/engine_error.h"
#include "store/dbase/field_codec.h"
#include "store/dbase/table_private.h"

using namespace Qt::StringLiterals;

namespace dbase {

QString Field::name() const
{
    return m_table->fieldDef(m_index).name;
}
DataType Field::dataType() const
{
    return m_table->fieldDef(m_index).dataType();
}
int Field::size() const
{
    return m_table->fieldDef(m_index).width;
}

#define KOLVARO_FIELD_READ(Type, method, empty)                                                    \
    Type Field::method() const                                                                     \
    {                                                                                              \
        const RowView row = m_table->currentRow();                                                 \
        return row.bytes() ? row.method(m_index) : empty;                                          \
    }
KOLVARO_FIELD_READ(QString, asString, QString())
KOLVARO_FIELD_READ(double, asFloat, 0.0)
KOLVARO_FIELD_READ(qint64, asInteger, 0)
KOLVARO_FIELD_READ(QDate, asDate, QDate())
KOLVARO_FIELD_READ(bool, asBoolean, false)
#undef KOLVARO_FIELD_READ

bool Field::isNull() const
{
    const RowView row = m_table->currentRow();
    return !row.bytes() || row.isNull(m_index);
}

char* Table::writableRow()
{
    d->requireOpen();
    if (d->state != State::Edit && d->state != State::Insert)
        throw EngineError(u"Dataset not in edit or insert mode"_s);
    d->modified = true;
    return d->buffer.data();
}

void Field::setAsString(const QString& value)
{
    codec::writeString(m_table->fieldDef(m_index), m_table->writableRow(), value);
}
void Field::setAsFloat(double value)
{
    codec::writeFloat(m_table->fieldDef(m_index), m_table->writableRow(), value);
}
void Field::setAsInteger(qint64 value)
{
    codec::writeInteger(m_table->fieldDef(m_index), m_table->writableRow(), value);
}
void Field::setAsDate(const QDate& value)
{
    codec::writeDate(m_table->fieldDef(m_index), m_table->writableRow(), value);
}
void Field::setAsBoolean(bool value)
{
    codec::writeBoolean(m_table->fieldDef(m_index), m_table->writableRow(), value);
}
void Field::clear()
{
    codec::clear(m_table->fieldDef(m_index), m_table->writableRow());
}

} // namespace dbase
