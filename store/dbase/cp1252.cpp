#include "store/dbase/cp1252.h"

#include <array>

namespace dbase::cp1252 {
namespace {

// 0x80..0x9F; the five undefined bytes map to the C1 control of the same value, as Windows does.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Every byte's character, for decoding without a branch per byte.
constexpr std::array<char16_t, 256> kChars = [] {
    std::array<char16_t, 256> chars{};
    for (std::size_t byte = 0; byte < chars.size(); ++byte)
        chars[byte] = byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char16_t(byte);
    return chars;
}();

// Whether no byte lies in 0x80..0x9F, where the code page differs from Latin-1.
bool latin1Alike(const char* bytes, qsizetype size)
{
    // Counted without a branch, so that the compiler tests many bytes at a time.
    const auto* in = reinterpret_cast<const unsigned char*>(bytes);
    unsigned differing = 0;
    for (qsizetype i = 0; i < size; ++i)
        differing |= unsigned(in[i] - 0x80u < 0x20u);
    return differing == 0;
}

} // namespace

char16_t toChar(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char16_t(byte);
}

int toByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c)
            return int(0x80 + i);
    return -1;
}

QString decode(const char* bytes, qsizetype size)
{
    // Most texts are Latin-1 alike, which Qt converts many bytes at a time.
    if (size > 0 && latin1Alike(bytes, size))
        return QString::fromLatin1(bytes, size);
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i)
        out[i] = QChar(kChars[static_cast<unsigned char>(bytes[i])]);
    return text;
}

void encodeInto(QStringView text, char* out)
{
    // Most texts hold only characters that are their own byte: narrowed in one plain pass.
    const char16_t* chars = text.utf16();
    unsigned others = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        others |= unsigned(chars[i] > 0xFFu) | unsigned(chars[i] - 0x80u < 0x20u);
    if (others == 0) {
        for (qsizetype i = 0; i < text.size(); ++i)
            out[i] = static_cast<char>(chars[i]);
        return;
    }
    const char16_t* in = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = in[i];
        // The common characters are their own byte; only the rest needs the table's search.
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out[i] = static_cast<char>(c);
            continue;
        }
        const int byte = toByte(c);
        out[i] = byte < 0 ? '?' : static_cast<char>(byte);
    }
}

QByteArray encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    encodeInto(text, bytes.data());
    return bytes;
}

} // namespace dbase::cp1252
