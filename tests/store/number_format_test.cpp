#include "store/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace store::numfmt;

TEST(NumberFormat, formatAmount)
{
    const struct
    {
        double value;
        const char16_t* text;
    } cases[] = {
        {0.0, u"0,00"},
        {-0.0, u"0,00"},
        {-0.004, u"0,00"}, // rounds to zero: no sign
        {1234.56, u"1.234,56"},
        {-12.5, u"-12,50"},
        {0.5, u"0,50"},
        {999.995, u"1.000,00"},
        {1.005, u"1,01"}, // 15 digits first, so the binary 1.00499.. does not round down
        {-1234567.891, u"-1.234.567,89"},
        {100000, u"100.000,00"},
        {1e15, u"1.000.000.000.000.000,00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatAmount(c.value), QString::fromUtf16(c.text)) << c.value;
}

TEST(NumberFormat, formatSum)
{
    const struct
    {
        double value;
        const char16_t* text;
    } cases[] = {
        {0.0, u"0,00"},
        {-0.0, u"0,00"},
        {-1234.5, u"-1.234,50"},
        {87.5, u"87,50"},
        {0.125, u"0,13"},
        {123456789012.0, u"123.456.789.012,00"},
        {123456789012.345, u"123.456.789.012,00"}, // 12 significant digits
        {12345678901.236, u"12.345.678.901,20"},   // the 12th digit is the first decimal
        {999999999999.0, u"999.999.999.999,00"},
        {999999999999.9, u"1E12"}, // rounds up to 13 digits
        {1e13, u"1E13"},
        {-1.5e13, u"-1,5E13"},
        {12345678901234.56, u"1,23456789012E13"},
        {1e100, u"1E100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatSum(c.value), QString::fromUtf16(c.text)) << c.value;
}

TEST(NumberFormat, nonFiniteValuesDoNotCrash)
{
    EXPECT_EQ(formatAmount(std::numeric_limits<double>::quiet_NaN()), u"NAN");
    EXPECT_EQ(formatSum(-std::numeric_limits<double>::infinity()), u"-INF");
}

TEST(NumberFormat, parseAmount)
{
    const struct
    {
        const char16_t* text;
        std::optional<double> value;
    } cases[] = {
        {u"12,50", 12.5},
        {u"-12,5", -12.5},
        {u"+3", 3.0},
        {u"  -0,01  ", -0.01},
        {u"7,", 7.0},
        {u",25", 0.25},
        {u"0000123,4500", 123.45},
        {u"", std::nullopt},
        {u"   ", std::nullopt},
        {u"-", std::nullopt},
        {u",", std::nullopt},
        {u"1.234,56", std::nullopt}, // no thousands separator
        {u"12.50", std::nullopt},    // no decimal point
        {u"1,2,3", std::nullopt},
        {u"- 12,5", std::nullopt}, // the sign belongs to the number
        {u"12,5-", std::nullopt},
        {u"1E3", std::nullopt},
        {u"12 50", std::nullopt},
        {u"\t12", std::nullopt},
        {u"١٢", std::nullopt}, // digits of another script
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseAmount(QString::fromUtf16(c.text)), c.value)
            << QString::fromUtf16(c.text).toStdString();
}

TEST(NumberFormat, toAmountThrowsTheFrameworkMessage)
{
    EXPECT_DOUBLE_EQ(toAmount(QStringLiteral("-1,25")), -1.25);
    try {
        toAmount(QStringLiteral("1.234,56"));
        FAIL() << "no exception";
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.text(), u"'1.234,56' is not a valid floating point value");
    }
}

} // namespace
