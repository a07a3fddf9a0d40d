#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Windows-1252, the code page of the tables and of the bank's TAB file. Qt's own converters
// know it only when built with ICU, so the engine carries the table itself.
namespace dbase::cp1252 {

// One byte as a character, and a character as its byte: -1 when the code page has none.
char16_t toChar(unsigned char byte);
int toByte(char16_t c);

QString decode(const char* bytes, qsizetype size);
inline QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), bytes.size());
}

// Characters that Windows-1252 cannot hold become '?'.
QByteArray encode(QStringView text);
// The same into `out`, which holds text.size() bytes.
void encodeInto(QStringView text, char* out);

} // namespace dbase::cp1252
