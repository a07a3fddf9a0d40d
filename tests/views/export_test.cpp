// The rows of a grid for other programs (clipboard, CSV file) and the order a column title
// click gives them.
#include "tests/support/tables.h"
#include "views/row_export.h"
#include "views/sort_order.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
namespace n = store::names;

namespace {

// Transactions whose every field differs, in date order (the table's own order).
testsupport::Tables transactions()
{
    testsupport::Tables t;
    const auto add = [&](const QDate& datum, int soort, const QString& naam,
                         const QString& omschrijving, const QString& reknum,
                         std::optional<double> bedrag) {
        dbase::Table& m = *t.mutaties;
        m.append();
        m.fieldByName(n::kDatum).setAsDate(datum);
        m.fieldByName(n::kSoort).setAsInteger(soort);
        m.fieldByName(n::kNaam).setAsString(naam);
        m.fieldByName(n::kOmschrijving).setAsString(omschrijving);
        m.fieldByName(n::kReknum).setAsString(reknum);
        if (bedrag)
            m.fieldByName(n::kBedrag).setAsFloat(*bedrag);
        m.post();
    };
    add(QDate(2010, 3, 1), 6, u"Caf\u00e9; Bar"_s, u"Koffie \"groot\" \u00e9\u00e9n"_s, u"NL12"_s,
        -1234.5);
    add(QDate(2010, 3, 2), 4, u"bakker"_s, u"Brood\tvers"_s, u"0123"_s, 2500);
    add(QDate(2010, 3, 3), 7, u"BAKKER"_s, u"Opname"_s, u"9"_s, -1234.5);
    add(QDate(2010, 3, 4), 3, u"aap"_s, u"Rente"_s, QString(), std::nullopt);
    add(QDate(2010, 3, 5), 5, u"cees"_s, u"Chip"_s, u"77"_s, 0.07);
    return t;
}

TEST(RowExport, writesTheExactBytesForSpreadsheets)
{
    testsupport::Tables t = transactions();
    t.addRelationYear(u"Caf\u00e9; Bar"_s, u"2010"_s);
    dbase::Table& b = *t.bedrijven;
    b.first();
    b.edit();
    b.fieldByName(n::kSelect).setAsBoolean(true);
    b.fieldByName(n::kMonths[0]).setAsFloat(-1234.5);
    b.fieldByName(n::kMonths[11]).setAsFloat(0);
    b.post();

    struct Case
    {
        const char* name;
        dbase::Table& table;
        views::GridLayout layout;
        std::vector<int> positions;
        QByteArray csv;
        QString clipboard;
    };
    const Case cases[] = {
        {"transactions in the order given",
         *t.mutaties,
         views::transactionGrid(),
         {0, 3, 1},
         "\xEF\xBB\xBF"
         "datum;Srt;Bedrag;Relatie;code/reknr;Omschrijving\r\n"
         "01-03-2010;6;-1234,50;\"Caf\xC3\xA9; Bar\";NL12;\"Koffie \"\"groot\"\" "
         "\xC3\xA9\xC3\xA9n\"\r\n"
         "04-03-2010;3;;aap;;Rente\r\n"
         "02-03-2010;4;2500,00;bakker;0123;Brood\tvers\r\n",
         u"datum\tSrt\tBedrag\tRelatie\tcode/reknr\tOmschrijving\n"
         "01-03-2010\t6\t-1.234,50\tCaf\u00e9; Bar\tNL12\t\"Koffie \"\"groot\"\" \u00e9\u00e9n\"\n"
         "04-03-2010\t3\t\taap\t\tRente\n"
         "02-03-2010\t4\t2.500,00\tbakker\t0123\t\"Brood\tvers\"\n"_s},
        {"a relation-year row: flag, empty and zero months",
         *t.bedrijven,
         views::relationGrid(),
         {0},
         "\xEF\xBB\xBF"
         "sel;jaar;Naam;jan;feb;mrt;apr;mei;jun;jul;aug;sep;okt;nov;dec\r\n"
         "X;2010;\"Caf\xC3\xA9; Bar\";-1234,50;;;;;;;;;;;0,00\r\n",
         u"sel\tjaar\tNaam\tjan\tfeb\tmrt\tapr\tmei\tjun\tjul\taug\tsep\tokt\tnov\tdec\n"
         "X\t2010\tCaf\u00e9; Bar\t-1.234,50\t\t\t\t\t\t\t\t\t\t\t0,00\n"_s},
        {"no rows: the titles alone",
         *t.mutaties,
         views::transactionGrid(),
         {},
         "\xEF\xBB\xBF"
         "datum;Srt;Bedrag;Relatie;code/reknr;Omschrijving\r\n",
         u"datum\tSrt\tBedrag\tRelatie\tcode/reknr\tOmschrijving\n"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(views::csvBytes(c.table, c.layout, c.positions), c.csv);
        EXPECT_EQ(views::clipboardText(c.table, c.layout, c.positions), c.clipboard);
    }
}

TEST(RowExport, writesAllOrNothing)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"mutaties.csv"_s);
    views::writeExportFile(target, "nieuw");
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("nieuw"));
    file.close();

    // A folder that is a file: nothing can be written there, whoever runs the test.
    const QString blocked = dir.filePath(u"mutaties.csv/uit.csv"_s);
    EXPECT_THROW(views::writeExportFile(blocked, "x"), views::ExportError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"mutaties.csv"_s});
}

TEST(SortOrder, ordersByTheShownValueAndKeepsTiesInTableOrder)
{
    testsupport::Tables t = transactions();
    const dbase::Table& m = *t.mutaties;
    struct Case
    {
        const char* name;
        QString field;
        views::Display display;
        bool descending;
        std::vector<int> order;
    };
    const Case cases[] = {
        // The empty amount first, the two equal ones in table order both ways.
        {"amount ascending", n::kBedrag, views::Display::Amount, false, {3, 0, 2, 4, 1}},
        {"amount descending", n::kBedrag, views::Display::Amount, true, {1, 4, 0, 2, 3}},
        {"kind", n::kSoort, views::Display::Integer, false, {3, 1, 4, 0, 2}},
        {"date descending", n::kDatum, views::Display::Date, true, {4, 3, 2, 1, 0}},
        // Letter case does not count: "bakker" and "BAKKER" keep their table order.
        {"relation", n::kNaam, views::Display::Text, false, {3, 1, 2, 0, 4}},
        {"relation descending", n::kNaam, views::Display::Text, true, {4, 0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(views::sortedPositions(m, m.fieldIndex(c.field), c.display, c.descending),
                  c.order);
    }
}

} // namespace
