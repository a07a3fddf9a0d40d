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

QString collapseSpaces(QStringView text)
{
    // Written straight into a buffer of the largest size: appending character by character
    // costs a capacity check each.
    QString result(text.size(), Qt::Uninitialized);
    QChar* out = result.data();
    const QChar* in = text.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (in[i] == u' ' && i > 0 && in[i - 1] == u' ')
            continue;
        out[n++] = in[i];
    }
    result.truncate(n);
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
