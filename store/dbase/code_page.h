#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace dbase {

// The code page a table's texts are stored in, named by its language-driver byte.
enum class CodePage : unsigned char
{
    Windows1252,
    Dos437,
    Dos850
};

// The code page of a language-driver byte, or nothing for one this engine cannot read and
// write (its texts are then shown as Windows-1252 and the table is not written).
std::optional<CodePage> codePageOfLanguageDriver(unsigned char driver);

namespace codepage {

QString decode(CodePage page, const char* bytes, qsizetype size);
// Characters the page cannot hold become '?'; `out` holds text.size() bytes.
void encodeInto(CodePage page, QStringView text, char* out);
QByteArray encode(CodePage page, QStringView text);

} // namespace codepage
} // namespace dbase
