#include "store/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace store::numfmt {
namespace {

// A decimal value 0.d1d2d3... x 10^exponent; no digits means zero.
struct Decimal
{
    bool negative = false;
    std::string digits;
    int exponent = 0; // digits before the decimal separator
};

// A double carries 15 reliable decimal digits; taking it there first keeps binary noise
// (1.005 stored as 1.00499999...) out of the rounding.
Decimal toDecimal(double value)
{
    Decimal result;
    result.negative = std::signbit(value);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const std::string text(buffer); // "d.dddddddddddddde+XX"
    const auto e = text.find('e');
    result.digits = text.substr(0, 1) + text.substr(2, e - 2);
    result.exponent = std::stoi(text.substr(e + 1)) + 1;
    while (!result.digits.empty() && result.digits.back() == '0')
        result.digits.pop_back();
    if (result.digits.empty())
        result.exponent = 0;
    return result;
}

// Keeps the first `keep` digits, rounding half away from zero.
void roundTo(Decimal& value, int keep)
{
    if (keep >= static_cast<int>(value.digits.size()))
        return;
    if (keep < 0) {
        value.digits.clear();
        return;
    }
    const bool up = value.digits[static_cast<std::size_t>(keep)] >= '5';
    value.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && value.digits[static_cast<std::size_t>(i)] == '9')
            value.digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++value.digits[static_cast<std::size_t>(i)];
        } else {
            value.digits.insert(value.digits.begin(), '1');
            ++value.exponent;
        }
    }
    while (!value.digits.empty() && value.digits.back() == '0')
        value.digits.pop_back();
    if (value.digits.empty())
        value.exponent = 0;
}

char digitAt(const Decimal& value, int position)
{
    return position >= 0 && position < static_cast<int>(value.digits.size())
               ? value.digits[static_cast<std::size_t>(position)]
               : '0';
}

// Grouped thousands, two decimals; a value that rounded to zero has no sign.
QString fixedText(const Decimal& value)
{
    QString integer;
    for (int i = 0; i < std::max(value.exponent, 1); ++i) {
        if (i > 0 && (value.exponent - i) % 3 == 0)
            integer.append(kThousandSeparator);
        integer.append(QChar::fromLatin1(value.exponent > 0 ? digitAt(value, i) : '0'));
    }
    QString text = value.negative && !value.digits.empty() ? QStringLiteral("-") : QString();
    text += integer;
    text += kDecimalSeparator;
    text += QChar::fromLatin1(digitAt(value, value.exponent));
    text += QChar::fromLatin1(digitAt(value, value.exponent + 1));
    return text;
}

// The general exponent form: "1,23456789012E13".
QString exponentText(const Decimal& value)
{
    QString text = value.negative ? QStringLiteral("-") : QString();
    text += QChar::fromLatin1(value.digits.front());
    if (value.digits.size() > 1) {
        text += kDecimalSeparator;
        text += QString::fromLatin1(value.digits.substr(1));
    }
    const int exponent = value.exponent - 1;
    text += u'E';
    if (exponent < 0)
        text += u'-';
    text += QString::number(std::abs(exponent)).rightJustified(2, u'0');
    return text;
}

QString specialText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

QString formatAmount(double value)
{
    if (!std::isfinite(value))
        return specialText(value);
    Decimal decimal = toDecimal(value);
    roundTo(decimal, decimal.exponent + 2);
    return fixedText(decimal);
}

QString formatSum(double value)
{
    constexpr int kPrecision = 12;
    if (!std::isfinite(value))
        return specialText(value);
    Decimal decimal = toDecimal(value);
    Decimal significant = decimal;
    roundTo(significant, kPrecision);
    if (significant.exponent > kPrecision)
        return exponentText(significant);
    // One rounding, at whichever comes first: the 12th significant digit or the 2nd decimal.
    roundTo(decimal, std::min(kPrecision, decimal.exponent + 2));
    return fixedText(decimal);
}

std::optional<double> parseAmount(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;

    bool negative = false;
    if (begin < end && (text[begin] == u'-' || text[begin] == u'+')) {
        negative = text[begin] == u'-';
        ++begin;
    }
    // Digits with at most one decimal separator, at least one digit: everything else (a
    // thousands separator, a decimal point, an exponent, a blank after the sign) is refused.
    std::string number;
    bool separatorSeen = false;
    bool digitSeen = false;
    for (qsizetype i = begin; i < end; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            number += static_cast<char>(c.unicode());
            digitSeen = true;
        } else if (c == kDecimalSeparator && !separatorSeen) {
            number += '.';
            separatorSeen = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digitSeen)
        return std::nullopt;
    if (number.front() == '.')
        number.insert(number.begin(), '0');
    double value = 0;
    const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc() || ptr != number.data() + number.size())
        return std::nullopt;
    return negative ? -value : value;
}

QString notAFloatMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

double toAmount(const QString& text)
{
    const std::optional<double> value = parseAmount(text);
    if (!value)
        throw ConversionError(notAFloatMessage(text));
    return *value;
}

} // namespace store::numfmt
