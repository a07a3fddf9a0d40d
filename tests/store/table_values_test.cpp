// Typed reads and writes of the engine's fields, on in-memory tables.
#include "store/dbase/engine_error.h"
#include "store/dbase/field_codec.h"
#include "store/dbase/table.h"
#include "tests/store/engine_test_support.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace Qt::StringLiterals;

namespace {

using namespace enginetest;
using dbase::EngineError;
using dbase::Table;

const QString kNaam = u"NAAM"_s;
const QString kDatum = u"DATUM"_s;
const QString kBedrag = u"BEDRAG"_s;
const QString kAantal = u"AANTAL"_s;
const QString kOk = u"OK"_s;

// A table with one row being appended.
std::unique_ptr<Table> appending()
{
    auto table = peopleTable(kNaam, {});
    table->append();
    return table;
}

TEST(FieldValues, emptyFieldsReadAsEmptyTextZeroInvalidDateOrFalse)
{
    auto table = appending();
    table->fieldByName(kNaam).setAsString(u"alleen"_s);
    const auto check = [&](const char* when) {
        SCOPED_TRACE(when);
        EXPECT_TRUE(table->fieldByName(kDatum).isNull());
        EXPECT_FALSE(table->fieldByName(kDatum).asDate().isValid());
        EXPECT_EQ(table->fieldByName(kDatum).asString(), QString());
        EXPECT_EQ(table->fieldByName(kBedrag).asFloat(), 0.0);
        EXPECT_EQ(table->fieldByName(kBedrag).asString(), QString());
        EXPECT_EQ(table->fieldByName(kAantal).asInteger(), 0);
        EXPECT_FALSE(table->fieldByName(kOk).asBoolean());
        EXPECT_TRUE(table->fieldByName(kOk).isNull());
        const dbase::RowView row = table->currentRow();
        EXPECT_EQ(row.asString(0), u"alleen"_s);
        EXPECT_FALSE(row.asDate(1).isValid());
        EXPECT_EQ(row.asFloat(2), 0.0);
        EXPECT_EQ(row.asInteger(3), 0);
        EXPECT_FALSE(row.asBoolean(4));
    };
    check("pending");
    table->post();
    check("posted");
}

TEST(FieldValues, textIsCutToTheFieldSizeInCharactersAndKeepsWindows1252)
{
    const std::pair<QString, QString> cases[] = {
        {u"abcdefghijklmnop"_s, u"abcdefghij"_s},
        {u"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9xx"_s,
         u"\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"_s},
        {u"\u20ac 5 \u2013 \u0152"_s, u"\u20ac 5 \u2013 \u0152"_s},
        {u"staart   "_s, u"staart"_s},
        {u"  kop"_s, u"  kop"_s},
        {u"\u0141\u00f3d\u017a"_s, u"?\u00f3d?"_s},
        {QString(), QString()},
    };
    for (const auto& [written, expected] : cases) {
        SCOPED_TRACE(written.toStdString());
        auto table = appending();
        table->fieldByName(kNaam).setAsString(written);
        table->post();
        EXPECT_EQ(table->fieldByName(kNaam).asString(), expected);
        EXPECT_EQ(table->fieldByName(kNaam).size(), 10);
    }
}

TEST(FieldValues, textWrittenToAnIntegerFieldIsConverted)
{
    const std::pair<QString, qint64> good[] = {{u"12"_s, 12}, {u"-3"_s, -3}, {u"0"_s, 0}};
    for (const auto& [text, value] : good) {
        auto table = appending();
        table->fieldByName(kAantal).setAsString(text);
        EXPECT_EQ(table->fieldByName(kAantal).asInteger(), value) << text.toStdString();
    }
    for (const QString& text : {u"x"_s, u"1.5"_s, u"12a"_s}) {
        auto table = appending();
        try {
            table->fieldByName(kAantal).setAsString(text);
            ADD_FAILURE() << "accepted " << text.toStdString();
        } catch (const EngineError& error) {
            EXPECT_EQ(error.text(), u"'%1' is not a valid integer value"_s.arg(text));
        }
    }
}

TEST(FieldValues, everyAmountWithAtMostTwoDecimalsReadsBackEqual)
{
    auto table = appending();
    dbase::Field bedrag = table->fieldByName(kBedrag);
    std::vector<double> values = {999999999999.99, -99999999999.99, 0.01, -0.01, 0.1, 0.29,
                                  123456789.12};
    for (qint64 cents = -2000000; cents <= 2000000; cents += 37)
        values.push_back(static_cast<double>(cents) / 100.0);
    int mismatches = 0;
    for (double value : values) {
        bedrag.setAsFloat(value);
        if (bedrag.asFloat() != value && ++mismatches <= 5)
            ADD_FAILURE() << "wrote " << value << ", read " << bedrag.asFloat();
    }
    EXPECT_EQ(mismatches, 0);
    bedrag.setAsFloat(-23.5);
    table->post();
    EXPECT_EQ(table->rowAt(0).asFloat(2), -23.5);
}

TEST(FieldValues, numbersTooWideForTheFieldAreRefusedNotStoredWrong)
{
    const std::pair<const char*, std::function<void(Table&)>> cases[] = {
        {"1e13 in N15.2", [](Table& t) { t.fieldByName(kBedrag).setAsFloat(1e13); }},
        {"-1e12 in N15.2", [](Table& t) { t.fieldByName(kBedrag).setAsFloat(-1e12); }},
        {"12345 in N4", [](Table& t) { t.fieldByName(kAantal).setAsInteger(12345); }},
        {"-1000 in N4", [](Table& t) { t.fieldByName(kAantal).setAsInteger(-1000); }},
    };
    for (const auto& [label, write] : cases) {
        auto table = appending();
        EXPECT_THROW(write(*table), EngineError) << label;
    }
}

TEST(FieldValues, datesBooleansAndClearReadBackAsWritten)
{
    for (const QDate& date : {QDate(1900, 1, 1), QDate(1999, 12, 31), QDate(2000, 2, 29),
                              QDate(2024, 3, 5), QDate(9999, 12, 31)}) {
        auto table = appending();
        table->fieldByName(kDatum).setAsDate(date);
        table->post();
        EXPECT_EQ(table->fieldByName(kDatum).asDate(), date);
        EXPECT_EQ(table->fieldByName(kDatum).asString(), date.toString(Qt::ISODate));
    }
    auto table = appending();
    dbase::Field datum = table->fieldByName(kDatum);
    datum.setAsDate(QDate(2024, 1, 1));
    datum.setAsDate(QDate());
    EXPECT_TRUE(datum.isNull()) << "an invalid date empties the field";

    dbase::Field ok = table->fieldByName(kOk);
    ok.setAsBoolean(true);
    EXPECT_TRUE(ok.asBoolean());
    ok.setAsBoolean(false);
    EXPECT_FALSE(ok.asBoolean());
    EXPECT_FALSE(ok.isNull());
    table->fieldByName(kBedrag).setAsFloat(5);
    table->fieldByName(kBedrag).clear();
    EXPECT_TRUE(table->fieldByName(kBedrag).isNull());
}

TEST(FieldValues, rowAtReadsPresentedRowsWithoutMovingTheCursor)
{
    auto table = peopleTable(
        kNaam, {{u"b"_s, QDate(2024, 2, 1), 2.5, 2}, {u"a"_s, QDate(2024, 1, 1), 1.5, 1}});
    table->first();
    const dbase::RowView second = table->rowAt(1);
    EXPECT_EQ(second.asString(0), u"b"_s);
    EXPECT_EQ(second.asDate(1), QDate(2024, 2, 1));
    EXPECT_EQ(second.asFloat(2), 2.5);
    EXPECT_EQ(table->position(), 0);
    EXPECT_EQ(table->fieldByName(kNaam).asString(), u"a"_s);
}

} // namespace

// Numbers are written digit by digit when they are whole cents; the text must be what printf's
// correctly rounded "%.2f" gives, for cents and for values between cents alike.
TEST(FieldValues, numberTextsMatchCorrectlyRoundedDecimals)
{
    const dbase::FieldDef field{QStringLiteral("BEDRAG"), 'N', 15, 2, 1};
    std::vector<double> values = {0.0,    -0.0,      0.005,   0.015,          0.125,
                                  -0.125, 2.675,     -0.004,  1e12 - 0.01,    -12.5,
                                  87.5,   0.1 + 0.2, 1234.56, -99999999999.99};
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        const auto cents = static_cast<qint64>(random() % 2000000000) - 1000000000;
        values.push_back(static_cast<double>(cents) / 100.0);
        values.push_back(static_cast<double>(cents) / 1000.0);
    }
    for (const double value : values) {
        char row[16];
        dbase::codec::writeFloat(field, row, value);
        char expected[64];
        std::snprintf(expected, sizeof expected, "%15.2f", value);
        std::string want(expected);
        if (want.find("-0.00") != std::string::npos)
            want.replace(want.find("-0.00"), 5, " 0.00");
        ASSERT_EQ(std::string(row + 1, 15), want) << value;
    }
}

// Foreign files may hold texts in number fields that are no dBase numbers; they read as 0 (and
// sort as 0), never as NaN, infinity or an overflowed integer.
TEST(FieldValues, numberTextsThatAreNoDbaseNumbersReadAsZero)
{
    const dbase::FieldDef field{QStringLiteral("N"), 'N', 20, 2, 1};
    for (const char* text :
         {"nan", "inf", "-inf", "*****", "12a", "99999999999999999999", "1e5", "--1", "."}) {
        std::string row(21, ' ');
        row.replace(21 - std::strlen(text), std::strlen(text), text);
        const double value = dbase::codec::readFloat(field, row.data());
        if (std::string(text) == "99999999999999999999")
            EXPECT_DOUBLE_EQ(value, 1e20) << text; // a plain number, past the exact range
        else if (std::string(text) == "1e5")
            EXPECT_DOUBLE_EQ(value, 1e5) << text;
        else
            EXPECT_EQ(value, 0.0) << text;
    }
}
