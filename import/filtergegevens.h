#pragma once

#include "import/bijsoort.h"
#include "import/tab_columns.h"
#include "import/transaction.h"

#include <QDate>
#include <QString>
#include <array>
#include <optional>

namespace import {

// One TAB file line cut into its seven leading fields and the line remainder.
struct SplitLine
{
    std::array<QString, tab::kFieldsBeforeDescription> fields; // indexed by tab::Column
    QString remainder;      // cut with the line to 240 characters after the first tab
    QString wholeRemainder; // the same text without that cut
};

// Which rules read the description: the old layouts' only, or first today's layouts.
enum class Layouts
{
    Classic,
    Current,
};

// What one line yields. The classification texts are as bijsoort gives them, untrimmed.
struct LineValues
{
    QDate date;
    double amount = 0; // whole cents
    Classification classification;
    // How the other rules read the line, where they read it differently (a text in today's
    // layouts): a row stored under either reading is the same transaction.
    std::optional<Classification> otherReading;
    // Fields 4 and 5, both or neither: a field that is empty or no number leaves both out.
    std::optional<Balances> balances;
    // The balances are missing, or before + amount is not after (in whole cents).
    bool balanceFailed = false;
};

// Everything after the first tab counts only with its first 240 characters; a line with fewer
// than seven tabs leaves the missing fields empty. Tabs after the seventh stay in the remainder.
SplitLine splitLine(const QString& line);

// Splits and converts one line (decoded from Windows-1252). Throws ImportError
// "'<field 7>' is not a valid floating point value" when the amount is not a number (an empty
// line included), and "'<d-m-y>' is not a valid date" when the date field names no date.
LineValues filtergegevens(const QString& line, Layouts layouts = Layouts::Current);

} // namespace import
