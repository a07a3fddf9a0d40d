#include "help/code_page.h"

#include "store/dbase/cp1252.h"

#include <algorithm>
#include <array>
#include <utility>

namespace help {

namespace {

const char* converterName(int codePage)
{
    static const std::pair<int, const char*> kNames[] = {
        {437, "IBM437"},        {850, "IBM850"},        {852, "IBM852"},
        {866, "IBM866"},        {874, "windows-874"},   {932, "Shift_JIS"},
        {936, "GBK"},           {949, "EUC-KR"},        {950, "Big5"},
        {1250, "windows-1250"}, {1251, "windows-1251"}, {1253, "windows-1253"},
        {1254, "windows-1254"}, {1255, "windows-1255"}, {1256, "windows-1256"},
        {1257, "windows-1257"}, {1258, "windows-1258"}, {10000, "macintosh"},
        {65001, "UTF-8"},
    };
    for (const auto& [number, name] : kNames)
        if (number == codePage)
            return name;
    return nullptr;
}

void decodeWindows1252(QByteArrayView bytes, QString& out)
{
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    char16_t* to = reinterpret_cast<char16_t*>(out.data()) + start;
    for (char byte : bytes)
        *to++ = dbase::cp1252::toChar(static_cast<unsigned char>(byte));
}

} // namespace

int codePageForCharset(int charset, int fallback)
{
    switch (charset) {
    case 2:
        return kSymbolCodePage;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return fallback;
    }
}

void CodePageDecoder::decode(int codePage, QByteArrayView bytes, QString& out)
{
    if (bytes.isEmpty())
        return;
    if (codePage == kSymbolCodePage) {
        // Bullets of rich-edit lists are written as byte B7 in the Symbol font; the font has no
        // Unicode mapping of its own here, so show that one as a bullet and the rest as Latin.
        const qsizetype start = out.size();
        decodeWindows1252(bytes, out);
        std::replace(out.begin() + start, out.end(), QChar(0x00B7), QChar(0x2022));
        return;
    }
    const char* name = converterName(codePage);
    if (!name) {
        decodeWindows1252(bytes, out);
        return;
    }
    auto it = m_decoders.find(codePage);
    if (it == m_decoders.end())
        it = m_decoders.emplace(codePage, QStringDecoder(name)).first;
    QStringDecoder& decoder = it->second;
    if (!decoder.isValid()) {
        decodeWindows1252(bytes, out);
        return;
    }
    decoder.resetState();
    out += decoder.decode(bytes);
}

} // namespace help
