#pragma once

#include "import/bijsoort.h"

#include <QDate>
#include <QString>
#include <array>

namespace import {

// One TAB file line cut into its seven leading fields and the line remainder.
struct SplitLine
{
    std::array<QString, 7> fields;
    QString remainder;
};

// What one line yields. The classification texts are as bijsoort gives them, untrimmed.
struct LineValues
{
    QDate date;
    double amount = 0; // whole cents
    QString year;      // the first four characters of the date field
    Classification classification;
};

// Everything after the first tab counts only with its first 240 characters; a line with fewer
// than seven tabs leaves the missing fields empty. Tabs after the seventh stay in the remainder.
SplitLine splitLine(const QString& line);

// Splits and converts one line (decoded from Windows-1252). Throws ImportError
// "'<field 7>' is not a valid floating point value" when the amount is not a number (an empty
// line included), and "'<d-m-y>' is not a valid date" when the date field names no date.
LineValues filtergegevens(const QString& line);

} // namespace import
