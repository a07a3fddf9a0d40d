#include "help/plain_text.h"

#include "help/code_page.h"

#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace help {

std::optional<QString> decodePlainText(QByteArrayView bytes)
{
    QString text;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                          : QStringConverter::Utf16BE);
        text = utf16.decode(bytes.sliced(2));
    } else {
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes = bytes.sliced(3);
        if (bytes.contains('\0'))
            return std::nullopt;
        QStringDecoder utf8(QStringConverter::Utf8);
        text = utf8.decode(bytes);
        if (utf8.hasError()) {
            text.clear();
            CodePageDecoder().decode(kWindowsLatin1, bytes, text);
        }
    }
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace help
