#pragma once

#include <QDate>
#include <QString>
#include <vector>

namespace store::datefmt {

// The platform's short date: the system locale's short format, or dd-MM-yyyy when the system
// locale is C/POSIX (which has no user setting to follow).
QString shortDateFormat();
QString formatShortDate(const QDate& date);

// Formats dates in one QDate::toString pattern. A grid formats a date per painted cell, and
// toString parses the pattern and goes through the calendar each time, so numeric patterns (d, dd,
// M, MM, yy, yyyy and separators) are parsed once here; any other pattern is left to toString.
class DateFormatter
{
public:
    explicit DateFormatter(const QString& pattern = {});

    // The same text as date.toString(pattern); empty for an invalid date.
    QString format(const QDate& date) const;

private:
    enum class Part
    {
        Literal,
        Day,
        Day2,
        Month,
        Month2,
        Year2,
        Year4
    };
    struct Piece
    {
        Part part = Part::Literal;
        QChar literal;
    };

    QString m_pattern;
    std::vector<Piece> m_pieces;
    bool m_numeric = false; // m_pieces hold the whole pattern
};

} // namespace store::datefmt
