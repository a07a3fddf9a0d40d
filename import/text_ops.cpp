#include "import/text_ops.h"

namespace import {

QString trimControls(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.mid(begin, end - begin).toString();
}

QString collapseSpaces(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u' ' && i > 0 && text[i - 1] == u' ')
            continue;
        result.append(text[i]);
    }
    return result;
}

QString storedText(QStringView text, int size)
{
    QStringView cut = text.left(size);
    while (!cut.isEmpty() && (cut.back() == u' ' || cut.back() == u'\0'))
        cut.chop(1);
    return cut.toString();
}

} // namespace import
