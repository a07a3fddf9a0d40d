#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <map>

namespace help {

inline constexpr int kWindowsLatin1 = 1252;
inline constexpr int kSymbolCodePage = 42; // the code page Windows gives symbol fonts

// The code page that a font character set (\fcharset) implies; `fallback` for the ANSI and
// default sets and for sets without one.
int codePageForCharset(int charset, int fallback);

// Decodes text of any code page the platform knows; an unknown code page decodes as
// Windows-1252, so that a document never fails to show for it. Converters are made once per
// code page.
class CodePageDecoder
{
public:
    void decode(int codePage, QByteArrayView bytes, QString& out);

private:
    std::map<int, QStringDecoder> m_decoders;
};

} // namespace help
