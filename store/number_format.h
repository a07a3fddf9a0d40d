#pragma once

#include <QString>
#include <optional>
#include <stdexcept>

// The program's one number format: "," separates decimals and "." groups thousands, whatever the
// system locale says. Every conversion of an amount between text and number goes through here;
// the process's C locale is never changed.
namespace store::numfmt {

inline constexpr QChar kDecimalSeparator = u',';
inline constexpr QChar kThousandSeparator = u'.';

// A text that is not a number; what() is the message the user reads.
class ConversionError : public std::runtime_error
{
public:
    explicit ConversionError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

// ",0.00": grouped thousands, exactly two decimals ("1.234,56", "-12,50", "0,00"; never "-0,00").
// The value is taken at 15 significant digits and rounded half away from zero.
QString formatAmount(double value);

// The month-sum text: like formatAmount, at a precision of 12 significant digits. With more than
// 12 digits before the decimal separator it switches to the general exponent form: at most 12
// significant digits, trailing zeros dropped, no grouping, an exponent of at least two digits
// without a plus sign (1e13 gives "1E13", -1.5e13 gives "-1,5E13").
QString formatSum(double value);

// Reads a decimal number with "," as decimal separator, an optional sign and optional blanks
// around it; no thousands separators, no exponent. Empty when the text is not such a number.
std::optional<double> parseAmount(QStringView text);

// The same, throwing ConversionError "'<text>' is not a valid floating point value" when it is
// not a number.
double toAmount(const QString& text);

// The message of a text that is not a number, for layers that throw their own error type.
QString notAFloatMessage(const QString& text);

} // namespace store::numfmt
