#include "store/date_format.h"

#include <QLocale>

namespace store::datefmt {

QString shortDateFormat()
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QStringLiteral("dd-MM-yyyy");
    return system.dateFormat(QLocale::ShortFormat);
}

QString formatShortDate(const QDate& date)
{
    if (!date.isValid())
        return {};
    return date.toString(shortDateFormat());
}

DateFormatter::DateFormatter(const QString& pattern) : m_pattern(pattern)
{
    m_numeric = true;
    for (qsizetype i = 0; i < m_pattern.size() && m_numeric;) {
        const QChar c = m_pattern[i];
        qsizetype run = 1;
        while (i + run < m_pattern.size() && m_pattern[i + run] == c)
            ++run;
        Piece piece;
        if (c == u'd' && run <= 2)
            piece.part = run == 1 ? Part::Day : Part::Day2;
        else if (c == u'M' && run <= 2)
            piece.part = run == 1 ? Part::Month : Part::Month2;
        else if (c == u'y' && (run == 2 || run == 4))
            piece.part = run == 2 ? Part::Year2 : Part::Year4;
        else if (c.isLetter() || c == u'\'')
            m_numeric = false; // names, times, quoting: toString knows them
        else
            piece.literal = c;
        if (piece.part == Part::Literal)
            run = 1;
        m_pieces.push_back(piece);
        i += run;
    }
}

QString DateFormatter::format(const QDate& date) const
{
    if (!date.isValid())
        return {};
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    if (!m_numeric || year < 1 || year > 9999) // toString signs and pads other years its own way
        return date.toString(m_pattern);
    // A one-letter piece may grow to two digits.
    QString text(2 * m_pattern.size(), Qt::Uninitialized);
    QChar* out = text.data();
    const QChar* begin = out;
    auto digits = [&out](int value, int width) {
        QChar buffer[4];
        int n = 0;
        do {
            buffer[n++] = QChar(u'0' + value % 10);
            value /= 10;
        } while (value > 0 || n < width);
        while (n > 0)
            *out++ = buffer[--n];
    };
    for (const Piece& piece : m_pieces) {
        switch (piece.part) {
        case Part::Literal:
            *out++ = piece.literal;
            break;
        case Part::Day:
            digits(day, 1);
            break;
        case Part::Day2:
            digits(day, 2);
            break;
        case Part::Month:
            digits(month, 1);
            break;
        case Part::Month2:
            digits(month, 2);
            break;
        case Part::Year2:
            digits(year % 100, 2);
            break;
        case Part::Year4:
            digits(year, 4);
            break;
        }
    }
    text.truncate(out - begin);
    return text;
}

} // namespace store::datefmt
