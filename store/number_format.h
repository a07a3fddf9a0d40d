#pragma once

#include <QString>
#include <optional>

// The program's one number format: "," separates decimals and "." groups thousands, whatever the
// system locale says. Every conversion of an amount between text and number goes through here;
// the process's C locale is never changed.
namespace store::numfmt {

inline constexpr QChar kDecimalSeparator = u',';
inline constexpr QChar kThousandSeparator = u'.';

// ",0.00": grouped thousands, exactly two decimals ("1.234,56", "-12,50", "0,00").
QString formatAmount(double value);

// The month-sum text: like formatAmount, at a precision of 12 significant digits, switching to
// exponent notation beyond that (1e13 gives "1,00000000000E13").
QString formatSum(double value);

// Reads a decimal number with "," as decimal separator, an optional sign and optional blanks
// around it; no thousands separators. Empty when the text is not such a number.
std::optional<double> parseAmount(const QString& text);

// The same, throwing "'<text>' is not a valid floating point value" when it is not a number.
double toAmount(const QString& text);

} // namespace store::numfmt
