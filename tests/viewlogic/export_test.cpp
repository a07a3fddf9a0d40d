// The rows of a grid for other programs (clipboard, CSV file) and the order a column title
// click gives them.
#include "tests/support/tables.h"
#include "viewlogic/row_export.h"
#include "viewlogic/sort_order.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

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

// Names and descriptions come from whoever paid: text that a spreadsheet would run as a formula
// is written with an apostrophe before it; amounts, kinds and dates are never touched.
TEST(RowExport, textThatASpreadsheetWouldRunIsWrittenAsText)
{
    struct Case
    {
        const char* name;
        QString naam, omschrijving, reknum;
        int soort;
        double bedrag;
        QByteArray csv;    // the row's line in the CSV file
        QString clipboard; // the row's line on the clipboard
    };
    const Case cases[] = {
        {"formula, plus and minus; a negative amount stays a number", u"=HYPERLINK(\"x\")"_s,
         u"+31 20 555"_s, u"-5"_s, -1, -1234.5,
         "01-03-2010;-1;-1234,50;\"'=HYPERLINK(\"\"x\"\")\";'-5;'+31 20 555\r\n",
         u"01-03-2010\t-1\t-1.234,50\t\"'=HYPERLINK(\"\"x\"\")\"\t'-5\t'+31 20 555\n"_s},
        {"at sign, and a tab first", u"@SUM(A1)"_s, u"\tvers"_s, u"0123"_s, 4, 0.07,
         "01-03-2010;4;0,07;'@SUM(A1);0123;'\tvers\r\n",
         u"01-03-2010\t4\t0,07\t'@SUM(A1)\t0123\t\"'\tvers\"\n"_s},
        {"a CR first; signs further on are plain text", u"a=b-c"_s, u"\rRente"_s, u"NL+1"_s, 6,
         2500, "01-03-2010;6;2500,00;a=b-c;NL+1;\"'\rRente\"\r\n",
         u"01-03-2010\t6\t2.500,00\ta=b-c\tNL+1\t\"'\rRente\"\n"_s},
    };
    const views::GridLayout layout = views::transactionGrid();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::Tables t;
        dbase::Table& m = *t.mutaties;
        m.append();
        m.fieldByName(n::kDatum).setAsDate(QDate(2010, 3, 1));
        m.fieldByName(n::kSoort).setAsInteger(c.soort);
        m.fieldByName(n::kNaam).setAsString(c.naam);
        m.fieldByName(n::kOmschrijving).setAsString(c.omschrijving);
        m.fieldByName(n::kReknum).setAsString(c.reknum);
        m.fieldByName(n::kBedrag).setAsFloat(c.bedrag);
        m.post();
        const QByteArray titles = views::csvBytes(m, layout, {});
        EXPECT_EQ(views::csvBytes(m, layout, {0}).mid(titles.size()), c.csv);
        const QString clipTitles = views::clipboardText(m, layout, {});
        EXPECT_EQ(views::clipboardText(m, layout, {0}).mid(clipTitles.size()), c.clipboard);
    }

    // The relations grid: the name is text, the year and the month amounts are not.
    testsupport::Tables t;
    t.addRelationYear(u"-MIN"_s, u"2011"_s);
    dbase::Table& b = *t.bedrijven;
    b.first();
    b.edit();
    b.fieldByName(n::kMonths[0]).setAsFloat(-3);
    b.post();
    EXPECT_EQ(views::csvBytes(b, views::relationGrid(), {0}).split('\n').value(1),
              QByteArray(";2011;'-MIN;-3,00;;;;;;;;;;;\r"));
}

TEST(RowExport, refusesDevicesAndPipesAndNamesAFullDisk)
{
#ifndef Q_OS_WIN
    // A FIFO first: were it not refused, a device would not be either, and the test (perhaps run
    // by root) must not go on to replace /dev/null.
    QTemporaryDir dir;
    const QString fifo = dir.filePath(u"pijp.csv"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, u"/dev/null"_s, u"/dev/full"_s}) {
        SCOPED_TRACE(path.toStdString());
        if (!QFileInfo::exists(path))
            continue;
        try {
            views::writeExportFile(path, "x");
            FAIL() << "written";
        } catch (const views::ExportError& e) {
            EXPECT_TRUE(QString::fromStdString(e.what()).contains(u"apparaat of pijp"_s))
                << e.what();
        }
        ASSERT_FALSE(QFileInfo(path).isFile()) << "replaced by a regular file";
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{u"pijp.csv"_s});
    EXPECT_EQ(QDir(u"/dev"_s).entryList({u"null.*"_s, u"full.*"_s}, QDir::Files), QStringList{});
    constexpr int kDiskFull = ENOSPC;
#else
    constexpr int kDiskFull = 112; // ERROR_DISK_FULL
#endif

    struct Case
    {
        const char* name;
        QFileDevice::FileError error;
        int systemError;
        QString systemText, reason;
    };
    const Case cases[] = {
        {"Qt's resource error", QFileDevice::ResourceError, 0, u"Unknown error"_s, u"schijf vol"_s},
        {"the system's disk-full number", QFileDevice::WriteError, kDiskFull, u"Unknown error"_s,
         u"schijf vol"_s},
        {"any other failure keeps the system's text", QFileDevice::OpenError, EACCES,
         u"Permission denied"_s, u"Permission denied"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(views::exportFailureReason(c.error, c.systemError, c.systemText), c.reason);
    }
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
