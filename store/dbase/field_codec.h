#pragma once

#include "store/dbase/field_def.h"

#include <QDate>
#include <QString>
#include <QStringView>

// Reading and writing one field's bytes inside a record. The empty-value rules live here:
// blanks (and, for binary types, zero bytes) are an empty field, which reads as "", 0, an
// invalid date or false.
namespace dbase::codec {

bool isNull(const FieldDef& field, const char* row);
QString readString(const FieldDef& field, const char* row);
double readFloat(const FieldDef& field, const char* row);
qint64 readInteger(const FieldDef& field, const char* row);
QDate readDate(const FieldDef& field, const char* row);
bool readBoolean(const FieldDef& field, const char* row);

// Writers throw EngineError when the value cannot be stored (a number too wide for its field,
// text that does not convert to the field's type).
void writeString(const FieldDef& field, char* row, QStringView value);
void writeFloat(const FieldDef& field, char* row, double value);
void writeInteger(const FieldDef& field, char* row, qint64 value);
void writeDate(const FieldDef& field, char* row, const QDate& value);
void writeBoolean(const FieldDef& field, char* row, bool value);
void clear(const FieldDef& field, char* row);

// Sort key of a non-text field as a double (dates as their Julian day; empty dates first).
double numericKey(const FieldDef& field, const char* row);
bool isTextKey(const FieldDef& field);

// Shortest text without exponent that reads back as the same double, in the C locale ("-12.5",
// "0", "-1000000").
QString shortestDouble(double value);

} // namespace dbase::codec
