#pragma once

#include "viewlogic/filter/filter_field.h"

#include <QDate>
#include <QString>
#include <optional>

namespace views::filter {

// How dates are typed and shown: the short date pattern (its order of day, month and year and its
// separator) and the day that stands in for a missing year and century.
struct DateSettings
{
    QString pattern;
    QDate today;

    // The program's short date (store::datefmt::shortDateFormat) and the current date.
    static DateSettings system();
};

// Reads a box's text while the user types. An empty text is the empty value, and so is a text of
// blanks in a text field; a text that as a whole reads as a value of the group's type gives that
// value (text without its trailing blanks; a date as day and month, optionally followed by a
// year, in the pattern's order, a missing year being this year, a year of one or two digits in
// this century); anything else gives nullopt, and the box keeps its value.
std::optional<Value> readLenient(TypeGroup group, const QString& text, const DateSettings& dates);

// The same on leaving a box: a text that is not a value throws FilterError with the framework's
// message for the type ("'%s' is not a valid date").
Value readStrict(TypeGroup group, const QString& text, const DateSettings& dates);

// The form in which a box shows a value: dates in the short date pattern, numbers with ","
// as decimal separator, texts as they are; empty for the empty value.
QString standardText(const Value& value, const DateSettings& dates);

// A number in decimals with "," as decimal separator, without exponent ("-12,5", "0").
QString decimalText(double value);

// False for a typed character that no value of the group can hold (integers take digits and
// signs, floating point numbers also the decimal separator); the box refuses the key.
bool acceptsCharacter(TypeGroup group, QChar character);

} // namespace views::filter
