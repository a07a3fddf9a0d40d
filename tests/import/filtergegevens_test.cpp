#include "import/filtergegevens.h"
#include "import/import_error.h"
#include "import/text_ops.h"

#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using import::filtergegevens;
using import::ImportError;
using import::splitLine;

QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// A bank line with the given date, amount and description; the other fields look real.
QString bankLine(const QString& date, const QString& amount, const QString& remainder)
{
    return s(u"123456789\tEUR\t") + date + s(u"\t1.000,00\t987,50\t") + date + u'\t' + amount +
           u'\t' + remainder;
}

TEST(SplitLine, fieldsAndRemainder)
{
    const struct
    {
        QString line;
        std::array<QString, 7> fields;
        QString remainder;
    } cases[] = {
        {s(u"1\t2\t3\t4\t5\t6\t7\tREST"),
         {s(u"1"), s(u"2"), s(u"3"), s(u"4"), s(u"5"), s(u"6"), s(u"7")},
         s(u"REST")},
        // Tabs after the seventh belong to the remainder.
        {s(u"1\t2\t3\t4\t5\t6\t7\tA\tB\t"),
         {s(u"1"), s(u"2"), s(u"3"), s(u"4"), s(u"5"), s(u"6"), s(u"7")},
         s(u"A\tB\t")},
        // Fewer than seven tabs: the missing fields are empty.
        {s(u"1\t2\t3"), {s(u"1"), s(u"2"), {}, {}, {}, {}, {}}, s(u"3")},
        {s(u""), {}, {}},
        {s(u"\t\t\t\t\t\t\t"), {}, {}},
    };
    for (const auto& c : cases) {
        const import::SplitLine split = splitLine(c.line);
        EXPECT_EQ(split.fields, c.fields) << c.line.toStdString();
        EXPECT_EQ(split.remainder, c.remainder) << c.line.toStdString();
    }
}

TEST(SplitLine, cutTo240AfterTheFirstTab)
{
    // Field 1 is not cut: it lies before the first tab.
    const QString field1(300, u'X');
    const QString middle = s(u"EUR\t20100101\t0\t0\t20100101\t1,00\t"); // 25 characters, 6 tabs
    const QString tail(300, u'R');
    const import::SplitLine split = splitLine(field1 + u'\t' + middle + tail);
    EXPECT_EQ(split.fields[0], field1);
    EXPECT_EQ(split.fields[6], s(u"1,00"));
    EXPECT_EQ(split.remainder, QString(240 - 31, u'R'));

    // Without any tab the whole line is only cut: everything is remainder.
    const import::SplitLine noTab = splitLine(QString(300, u'Y'));
    EXPECT_EQ(noTab.remainder, QString(240, u'Y'));

    // Tabs beyond the 240 characters are cut away with the rest: field 2 then has no tab after
    // it, so it and the following fields are empty and the cut text is the remainder.
    const QString longField2(250, u'2');
    const import::SplitLine lost = splitLine(s(u"1\t") + longField2 + s(u"\t3\t4\t5\t6\t7\tREST"));
    EXPECT_TRUE(lost.fields[1].isEmpty());
    EXPECT_TRUE(lost.fields[6].isEmpty());
    EXPECT_EQ(lost.remainder, QString(240, u'2'));
}

TEST(Filtergegevens, convertsDateAmountYearAndDescription)
{
    const import::LineValues values =
        filtergegevens(bankLine(s(u"20101231"), s(u"-12,5"), s(u"GIRO  1234567 J. JANSEN  HUUR")));
    EXPECT_EQ(values.date, QDate(2010, 12, 31));
    EXPECT_EQ(values.amount, -12.5);
    EXPECT_EQ(values.classification.kind, s(u"4"));
    EXPECT_EQ(values.classification.code, s(u"1234567"));
    EXPECT_EQ(values.classification.relation, s(u"J. JANSEN"));
    EXPECT_EQ(values.classification.description, s(u"HUUR"));
}

TEST(Filtergegevens, amounts)
{
    const struct
    {
        const char16_t* field;
        double amount;
    } cases[] = {
        {u"12,50", 12.5},
        {u"  -12,5  ", -12.5},
        {u"+7", 7.0},
        {u"-0,00", 0.0},
        {u"1234567,89", 1234567.89},
        // Rounded to cents, a half to the even neighbour.
        {u"0,125", 0.12},
        {u"0,375", 0.38},
        {u"-0,125", -0.12},
        {u"0,005", 0.0},
        {u"0,015", 0.02},
        {u"2,675", 2.68},
        {u"1,234", 1.23},
        {u"1,2351", 1.24},
    };
    for (const auto& c : cases) {
        const import::LineValues values =
            filtergegevens(bankLine(s(u"20100101"), s(c.field), s(u"X")));
        EXPECT_EQ(values.amount, c.amount) << QString::fromUtf16(c.field).toStdString();
        if (c.amount == 0) {
            EXPECT_FALSE(std::signbit(values.amount)) << "no negative zero";
        }
    }
}

std::optional<QString> errorOf(const QString& line)
{
    try {
        filtergegevens(line);
    } catch (const ImportError& error) {
        return error.text();
    }
    return std::nullopt;
}

TEST(Filtergegevens, refusedLines)
{
    const struct
    {
        QString line;
        const char16_t* message;
    } cases[] = {
        {bankLine(s(u"20100101"), s(u"1.234,56"), {}),
         u"'1.234,56' is not a valid floating point value"},
        {bankLine(s(u"20100101"), s(u"12.50"), {}), u"'12.50' is not a valid floating point value"},
        {bankLine(s(u"20100101"), s(u" 1 2 "), {}), u"' 1 2 ' is not a valid floating point value"},
        {bankLine(s(u"20100101"), {}, {}), u"'' is not a valid floating point value"},
        {s(u""), u"'' is not a valid floating point value"},
        {s(u"a\tb\tc\td\te\tf"), u"'' is not a valid floating point value"},
        // The amount is converted before the date.
        {bankLine(s(u"2010"), s(u"x"), {}), u"'x' is not a valid floating point value"},
        {bankLine(s(u"20101301"), s(u"1"), {}), u"'01-13-2010' is not a valid date"},
        {bankLine(s(u"20100431"), s(u"1"), {}), u"'31-04-2010' is not a valid date"},
        {bankLine(s(u"20100229"), s(u"1"), {}), u"'29-02-2010' is not a valid date"},
        {bankLine(s(u"2010ab01"), s(u"1"), {}), u"'01-ab-2010' is not a valid date"},
        {bankLine(s(u"00001231"), s(u"1"), {}), u"'31-12-0000' is not a valid date"},
        {bankLine(s(u"201012"), s(u"1"), {}), u"'-12-2010' is not a valid date"},
        {bankLine({}, s(u"1"), {}), u"'--' is not a valid date"},
        {bankLine(s(u"2010-1-1"), s(u"1"), {}), u"'-1--1-2010' is not a valid date"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf(c.line), s(c.message)) << c.line.toStdString();
}

TEST(Filtergegevens, dateIsReadWhateverTheLocale)
{
    EXPECT_EQ(filtergegevens(bankLine(s(u"20120229"), s(u"1"), {})).date, QDate(2012, 2, 29));
    EXPECT_EQ(filtergegevens(bankLine(s(u"19991231"), s(u"1"), {})).date, QDate(1999, 12, 31));
    // Characters past the eighth are not part of the date.
    EXPECT_EQ(filtergegevens(bankLine(s(u"20100102XYZ"), s(u"1"), {})).date, QDate(2010, 1, 2));
}

TEST(TextOps, trimCollapseAndStoredForm)
{
    using namespace import;
    EXPECT_EQ(trimControls(u" \t\x01 A  B \r\n"), s(u"A  B"));
    EXPECT_EQ(trimControls(u"\u00A0A\u00A0"), s(u"\u00A0A\u00A0")); // 0xA0 is not a control
    EXPECT_EQ(trimControls(u"   "), QString());
    EXPECT_EQ(collapseSpaces(u"  A   B \t  C  "), s(u" A B \t C "));
    EXPECT_EQ(storedText(u"ABC   DEF", 5), s(u"ABC"));
    EXPECT_EQ(storedText(u"ABCDEF", 4), s(u"ABCD"));
    EXPECT_EQ(storedText(u"AB", 40), s(u"AB"));
}

} // namespace

namespace {

QString balanceLine(const QString& before, const QString& after, const QString& amount)
{
    return s(u"NL01BANK0123456789\tEUR\t20100101\t") + before + u'\t' + after + s(u"\t20100102\t") +
           amount + s(u"\tGIRO  1234567 J. JANSEN  HUUR");
}

TEST(Balances, readAsNumbersAndCheckedInWholeCents)
{
    using import::Balances;
    const struct
    {
        const char16_t* before;
        const char16_t* after;
        const char16_t* amount;
        std::optional<Balances> balances;
        bool failed;
    } cases[] = {
        {u"1000,00", u"955,00", u"-45,00", Balances{1000, 955}, false},
        {u" -12,5 ", u"+0,01", u"12,51", Balances{-12.5, 0.01}, false},   // blanks, signs
        {u"0,1", u"0,3", u"0,2", Balances{0.1, 0.3}, false},              // no float drift
        {u"1000,00", u"955,01", u"-45,00", Balances{1000, 955.01}, true}, // bad sum, kept
        {u"", u"955,00", u"-45,00", std::nullopt, true},
        {u"1000,00", u"  ", u"-45,00", std::nullopt, true},
        {u"1000,00", u"saldo", u"-45,00", std::nullopt, true},
        {u"1.000,00", u"955,00", u"-45,00", std::nullopt, true}, // thousands separator
        {u"1000,00", u"955,00-", u"-45,00", std::nullopt, true}, // sign after the number
    };
    for (const auto& c : cases) {
        const QString line = balanceLine(s(c.before), s(c.after), s(c.amount));
        SCOPED_TRACE(line.toStdString());
        const import::LineValues values = filtergegevens(line);
        EXPECT_EQ(values.balances, c.balances);
        EXPECT_EQ(values.balanceFailed, c.failed);
    }
}

} // namespace
