#include "import/text_ops.h"

namespace import {

QStringView trimmedControls(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QString trimControls(QStringView text)
{
    return trimmedControls(text).toString();
}

QString trimControls(const QString& text)
{
    const QStringView kept = trimmedControls(text);
    // Most texts have nothing to trim: share the string instead of copying it.
    return kept.size() == text.size() ? text : kept.toString();
}

QString trimControls(QString&& text)
{
    const QStringView kept = trimmedControls(text);
    if (kept.size() == text.size())
        return std::move(text);
    const qsizetype begin = kept.data() - text.constData();
    const qsizetype size = kept.size();
    text.truncate(begin + size);
    text.remove(0, begin);
    return std::move(text);
}

bool startsWithAscii(QStringView text, QStringView prefix, Qt::CaseSensitivity cs)
{
    if (text.size() < prefix.size())
        return false;
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c | 0x20) : c; };
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        const char16_t t = text[i].unicode();
        const char16_t p = prefix[i].unicode();
        if (t == p)
            continue;
        if (cs == Qt::CaseSensitive)
            return false;
        if (t >= 0x80)
            return text.startsWith(prefix, cs);
        if (lower(t) != lower(p))
            return false;
    }
    return true;
}

QString collapseSpaces(QStringView text)
{
    // Written straight into a buffer of the largest size: appending character by character
    // costs a capacity check each.
    QString result(text.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    const char16_t* in = text.utf16();
    const char16_t* const end = in + text.size();
    char16_t* const first = out;
    while (in < end) {
        const char16_t c = *in++;
        *out++ = c;
        if (c == u' ')
            while (in < end && *in == u' ')
                ++in;
    }
    result.truncate(out - first);
    return result;
}

QStringView storedTextView(QStringView text, int size)
{
    QStringView cut = text.left(size);
    while (!cut.isEmpty() && (cut.back() == u' ' || cut.back() == u'\0'))
        cut.chop(1);
    return cut;
}

QString storedText(QStringView text, int size)
{
    return storedTextView(text, size).toString();
}

} // namespace import
