#include "store/dbase/code_page.h"

#include "store/dbase/cp1252.h"
#include "store/dbase/dos_code_pages.h"

namespace dbase {

std::optional<CodePage> codePageOfLanguageDriver(unsigned char driver)
{
    switch (driver) {
    case 0x00: // no mark: the user's ANSI code page
    case 0x03: // FoxPro's Windows ANSI
    case 0x57: // dBase's ANSI, the mark of the tables this engine creates
    case 0x58: // ANSI with a Western-European or Spanish collation: same bytes
    case 0x59:
        return CodePage::Windows1252;
    case 0x01: // FoxPro's DOS USA
    case 0x09: // dBase's Dutch and US drivers on code page 437
    case 0x1B:
        return CodePage::Dos437;
    case 0x02: // FoxPro's DOS multilingual
    case 0x0A: // dBase's Dutch and US drivers on code page 850
    case 0x37:
        return CodePage::Dos850;
    default:
        return std::nullopt;
    }
}

namespace codepage {

QString decode(CodePage page, const char* bytes, qsizetype size)
{
    switch (page) {
    case CodePage::Dos437:
        return dos::decode(dos::Page::Cp437, bytes, size);
    case CodePage::Dos850:
        return dos::decode(dos::Page::Cp850, bytes, size);
    case CodePage::Windows1252:
        break;
    }
    return cp1252::decode(bytes, size);
}

void encodeInto(CodePage page, QStringView text, char* out)
{
    switch (page) {
    case CodePage::Dos437:
        return dos::encodeInto(dos::Page::Cp437, text, out);
    case CodePage::Dos850:
        return dos::encodeInto(dos::Page::Cp850, text, out);
    case CodePage::Windows1252:
        break;
    }
    cp1252::encodeInto(text, out);
}

QByteArray encode(CodePage page, QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    encodeInto(page, text, bytes.data());
    return bytes;
}

} // namespace codepage
} // namespace dbase
