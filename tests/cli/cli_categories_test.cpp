// kolvaro-cli rubrieken and eigen over a folder of imported sample transactions.
#include "tests/cli/sample_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <map>

using namespace Qt::StringLiterals;

namespace {

class CliCategoriesTest : public SampleFolderTest
{
protected:
    void SetUp() override { importSample("sample --lines 300 --years 2"); }

    QByteArray out(const QStringList& arguments)
    {
        const clirunner::Result result = cli(arguments);
        EXPECT_EQ(result.status, 0)
            << arguments.join(u' ').toStdString() << ": " << result.err.constData();
        return result.out;
    }
};

QStringList lines(const QByteArray& text)
{
    return QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

TEST_F(CliCategoriesTest, totalsPutEveryTransactionOfTheYearInOneLine)
{
    out({u"rubrieken"_s, u"add"_s, u"--veld"_s, u"Omschrijving"_s, u"--soort"_s, u"bevat"_s,
         u"--patroon"_s, u"premie"_s, u"--rubriek"_s, u"Zorg"_s});
    out({u"rubrieken"_s, u"add"_s, u"--veld"_s, u"Groep"_s, u"--soort"_s, u"patroon"_s,
         u"--patroon"_s, u"^[a-m]"_s, u"--rubriek"_s, u"Boodschappen"_s});
    out({u"eigen"_s, u"add"_s, u"nl18 fina 0000 0054 72"_s});
    EXPECT_EQ(out({u"eigen"_s, u"list"_s}), "NL18FINA0000005472\n");

    // Per year and month, in cents, from the rows themselves.
    std::map<std::pair<int, int>, qint64> expected;
    const QStringList dump = lines(out({u"dump"_s, u"mutaties"_s}));
    for (const QString& row : dump.mid(1)) {
        const QStringList cells = row.split(u'\t');
        const QDate date = QDate::fromString(cells[0], Qt::ISODate);
        expected[{date.year(), date.month()}] += std::llround(cells[5].toDouble() * 100);
    }
    ASSERT_FALSE(expected.empty());
    const int firstYear = expected.begin()->first.first;
    for (const int year : {firstYear, firstYear + 1}) {
        const QStringList totals =
            lines(out({u"rubrieken"_s, u"totals"_s, u"--jaar"_s, QString::number(year)}));
        std::map<int, qint64> sums;
        QStringList names;
        for (const QString& line : totals) {
            const QStringList cells = line.split(u'\t');
            ASSERT_EQ(cells.size(), 14) << line.toStdString();
            names << cells[0];
            qint64 yearSum = 0;
            for (int m = 1; m <= 12; ++m) {
                sums[m] += std::llround(cells[m].toDouble() * 100);
                yearSum += std::llround(cells[m].toDouble() * 100);
            }
            EXPECT_EQ(std::llround(cells[13].toDouble() * 100), yearSum);
        }
        EXPECT_EQ(names,
                  (QStringList{u"Boodschappen"_s, u"Zorg"_s, u"Overig"_s, u"Eigen rekening"_s}));
        for (int m = 1; m <= 12; ++m)
            EXPECT_EQ(sums[m], (expected[{year, m}])) << year << "-" << m;
    }
    EXPECT_EQ(out({u"rubrieken"_s, u"test"_s, u"--veld"_s, u"reknum"_s, u"FINA0000005472"_s}),
              "Eigen rekening\t0\n");
    EXPECT_EQ(out({u"rubrieken"_s, u"test"_s, u"BAKKER X"_s}), "Boodschappen\t2\n");
    EXPECT_EQ(out({u"rubrieken"_s, u"test"_s, u"TANKSTATION"_s}), "Overig\t0\n");
}

TEST_F(CliCategoriesTest, badInputIsRefusedAndSavesNothing)
{
    out({u"rubrieken"_s, u"add"_s, u"--veld"_s, u"Naam"_s, u"--soort"_s, u"gelijk"_s,
         u"--patroon"_s, u"X"_s, u"--rubriek"_s, u"Eerste"_s});
    const auto before = files();
    const QString tooLong(31, u'r');
    const struct
    {
        QStringList arguments;
        int status;
        const char* message;
    } cases[] = {
        {{u"rubrieken"_s, u"add"_s, u"--veld"_s, u"Naam"_s, u"--soort"_s, u"patroon"_s,
          u"--patroon"_s, u"SUPER("_s, u"--rubriek"_s, u"R"_s},
         1,
         "geen geldige reguliere expressie"},
        {{u"rubrieken"_s, u"add"_s, u"--veld"_s, u"Naam"_s, u"--soort"_s, u"bevat"_s,
          u"--patroon"_s, u"X"_s, u"--rubriek"_s, tooLong},
         1,
         "31 tekens"},
        {{u"rubrieken"_s, u"add"_s, u"--veld"_s, u"Naam"_s, u"--soort"_s, u"bevat"_s,
          u"--patroon"_s, u"X"_s, u"--rubriek"_s, u"Overig"_s},
         1,
         "bestaat al vast"},
        {{u"rubrieken"_s, u"add"_s, u"--veld"_s, u"Bedrag"_s, u"--soort"_s, u"bevat"_s,
          u"--patroon"_s, u"X"_s, u"--rubriek"_s, u"R"_s},
         1,
         "Onbekend veld"},
        {{u"rubrieken"_s, u"remove"_s, u"2"_s}, 1, "Er is geen regel 2"},
        {{u"rubrieken"_s, u"move"_s, u"1"_s, u"0"_s}, 1, "Er is geen regel 0"},
        {{u"eigen"_s, u"add"_s, u"NL19FINA0000005472"_s}, 1, "is geen rekeningnummer"},
        {{u"eigen"_s, u"remove"_s, u"5472"_s}, 1, "staat niet in de lijst"},
        {{u"rubrieken"_s, u"totals"_s, u"--jaar"_s, u"24"_s}, 2, "usage"},
        {{u"rubrieken"_s, u"add"_s, u"--veld"_s, u"Naam"_s}, 2, "usage"},
        {{u"rubrieken"_s, u"apply"_s}, 2, "usage"},
        {{u"eigen"_s, u"add"_s}, 2, "usage"},
    };
    for (const auto& c : cases) {
        const clirunner::Result result = cli(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.constData();
        EXPECT_TRUE(result.out.isEmpty());
    }
    EXPECT_EQ(files(), before);
}

TEST_F(CliCategoriesTest, undoRestoresTheRulesExactlyAndADamagedTableIsNeverOverwritten)
{
    out({u"rubrieken"_s, u"add"_s, u"--veld"_s, u"reknum"_s, u"--soort"_s, u"begint"_s,
         u"--patroon"_s, u"FINA"_s, u"--rubriek"_s, u"Wonen"_s});
    out({u"rubrieken"_s, u"add"_s, u"--veld"_s, u"Naam"_s, u"--soort"_s, u"bevat"_s, u"--patroon"_s,
         u"café  noël"_s, u"--rubriek"_s, u"Uit eten"_s, u"--op"_s, u"1"_s});
    const QByteArray listed = out({u"rubrieken"_s, u"list"_s});
    EXPECT_EQ(listed, "nr\tactief\tveld\tsoort\tpatroon\trubriek\n"
                      "1\tT\tNaam\tbevat\tcafé noël\tUit eten\n"
                      "2\tT\treknum\tbegint\tFINA\tWonen\n");
    out({u"rubrieken"_s, u"move"_s, u"2"_s, u"1"_s});
    out({u"rubrieken"_s, u"undo"_s});
    EXPECT_EQ(out({u"rubrieken"_s, u"list"_s}), listed);

    const QString table = m_dir.filePath(u"T/rubriek.DBF"_s);
    QFile file(table);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a table");
    file.close();
    const auto before = files();
    const clirunner::Result list = cli({u"rubrieken"_s, u"list"_s});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "nr\tactief\tveld\tsoort\tpatroon\trubriek\n");
    EXPECT_EQ(list.err.count("zonder rubrieken"), 1);
    for (const QStringList& change :
         {QStringList{u"rubrieken"_s, u"remove"_s, u"1"_s}, QStringList{u"rubrieken"_s, u"undo"_s},
          QStringList{u"rubrieken"_s, u"add"_s, u"--veld"_s, u"Naam"_s, u"--soort"_s, u"bevat"_s,
                      u"--patroon"_s, u"X"_s, u"--rubriek"_s, u"R"_s}}) {
        const clirunner::Result refused = cli(change);
        EXPECT_EQ(refused.status, 1) << change.join(u' ').toStdString();
        EXPECT_TRUE(refused.err.contains("worden de regels van de rubrieken niet gewijzigd"));
    }
    EXPECT_EQ(files(), before);
}
