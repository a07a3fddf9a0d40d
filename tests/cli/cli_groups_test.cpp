// kolvaro-cli groups over a folder of imported sample transactions.
#include "tests/cli/sample_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

using namespace Qt::StringLiterals;

namespace {

class CliGroupsTest : public SampleFolderTest
{
protected:
    void SetUp() override
    {
        importSample("sample --lines 300");
        ASSERT_EQ(cli({u"fill"_s}).status, 0);
    }

    QByteArray out(const char* arguments)
    {
        const clirunner::Result result = cli(clirunner::words(arguments));
        EXPECT_EQ(result.status, 0) << arguments << ": " << result.err.constData();
        return result.out;
    }
};

TEST_F(CliGroupsTest, badRulesAreRefusedAndSaveNothing)
{
    const auto before = files();
    const struct
    {
        QStringList arguments;
        int status;
        const char* message;
    } cases[] = {
        {{u"groups"_s, u"add"_s, u"--veld"_s, u"Naam"_s, u"--soort"_s, u"patroon"_s, u"--patroon"_s,
          u"SUPER("_s, u"--groep"_s, u"G"_s},
         1,
         "geen geldige reguliere expressie"},
        {{u"groups"_s, u"add"_s, u"--veld"_s, u"Omschrijving"_s, u"--soort"_s, u"patroon"_s,
          u"--patroon"_s, u"(a|aa)+$"_s, u"--groep"_s, u"G"_s},
         1,
         "te veel rekenwerk"},
        {{u"groups"_s, u"add"_s, u"--veld"_s, u"Naam"_s, u"--soort"_s, u"eindigt"_s, u"--patroon"_s,
          u"X"_s, u"--groep"_s, u"G"_s},
         1,
         "Onbekende soort"},
        {{u"groups"_s, u"add"_s, u"--veld"_s, u"Bedrag"_s, u"--soort"_s, u"bevat"_s, u"--patroon"_s,
          u"X"_s, u"--groep"_s, u"G"_s},
         1,
         "Onbekend veld"},
        {{u"groups"_s, u"add"_s, u"--veld"_s, u"Naam"_s, u"--soort"_s, u"bevat"_s, u"--patroon"_s,
          u" "_s, u"--groep"_s, u"G"_s},
         1,
         "patroon is leeg"},
        {{u"groups"_s, u"add"_s, u"--veld"_s, u"Naam"_s, u"--soort"_s, u"bevat"_s, u"--patroon"_s,
          u"X"_s, u"--groep"_s, QString(41, u'G')},
         1,
         "41 tekens"},
        {{u"groups"_s, u"remove"_s, u"1"_s}, 1, "geen regel 1"},
        {{u"groups"_s, u"add"_s, u"--veld"_s, u"Naam"_s}, 2, "usage"},
        {{u"groups"_s, u"undo"_s}, 1, "geen vorige stand"},
    };
    for (const auto& c : cases) {
        const clirunner::Result result = cli(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.constData();
    }
    EXPECT_EQ(files(), before);
}

TEST_F(CliGroupsTest, applyGroupsTheNamesKeepsTheSumsAndUndoPutsTheTableBack)
{
    const QByteArray relations = out("dump bedrijven");
    const QByteArray transactions = out("dump mutaties");
    ASSERT_TRUE(relations.contains("DROGIST FRIS 9281"));

    EXPECT_EQ(out("groups add --veld Naam --soort begint --patroon drogist --groep DROGIST"),
              "1\n");
    EXPECT_EQ(cli({u"groups"_s, u"test"_s, u"Drogist  FRIS 12"_s}).out, "DROGIST\t1\n");
    EXPECT_EQ(cli({u"groups"_s, u"test"_s, u"--veld"_s, u"reknum"_s, u"drogist"_s}).out, "\t0\n");

    const auto before = files();
    const QByteArray planned = out("groups apply --dry-run");
    EXPECT_EQ(files(), before) << "a dry run writes nothing";
    EXPECT_TRUE(planned.contains("\tDROGIST\t0\t-")) << planned.constData();
    EXPECT_TRUE(planned.contains("\tDROGIST FRIS 9281\t-")) << planned.constData();

    const QByteArray yearTotals = out("totals --jaar 2022");
    out("groups apply");
    EXPECT_EQ(out("groups apply --dry-run"), "");
    EXPECT_EQ(out("totals --jaar 2022"), yearTotals);
    EXPECT_FALSE(out("dump bedrijven").contains("DROGIST FRIS"));
    EXPECT_EQ(out("dump mutaties"), transactions);

    // Undo puts the rules and the table back; a second undo takes the undone rule again.
    out("groups undo");
    EXPECT_EQ(out("groups list"), "nr\tactief\tveld\tsoort\tpatroon\tgroep\n");
    EXPECT_EQ(out("dump bedrijven"), relations);
    out("groups undo");
    EXPECT_EQ(out("groups add --veld Naam --soort gelijk --patroon DROGIST --groep KETEN --op 1"),
              "1\n");
    EXPECT_EQ(out("groups move 2 1"), "");
    EXPECT_EQ(out("groups list"), "nr\tactief\tveld\tsoort\tpatroon\tgroep\n"
                                  "1\tT\tNaam\tbegint\tdrogist\tDROGIST\n"
                                  "2\tT\tNaam\tgelijk\tDROGIST\tKETEN\n");
}

// The size a table file of `rows` rows has without deleted records.
qint64 liveSize(const QByteArray& file, qint64 rows)
{
    const auto u16 = [&](int at) {
        return qint64(quint8(file.at(at))) | qint64(quint8(file.at(at + 1))) << 8;
    };
    return u16(8) + rows * u16(10) + 1;
}

TEST_F(CliGroupsTest, rebuildsNeverLoseHistoryAndUndoGivesEverythingBack)
{
    const QString tables = m_dir.filePath(u"T"_s);
    const QString mutaties = tables + u"/mutaties.DBF"_s, aside = m_dir.filePath(u"aside.DBF"_s);
    out("select --naam DROGIST");
    const QByteArray relations = out("dump bedrijven");
    ASSERT_TRUE(relations.contains("DROGIST FRIS 9281\t")) << relations.constData();
    for (const QByteArray& line : relations.split('\n'))
        if (line.contains("\tDROGIST FRIS")) {
            ASSERT_TRUE(line.endsWith("\tT")) << "selected: " << line.constData();
        }

    // A missing transactions table is refused by name; nothing is written.
    ASSERT_TRUE(QFile::rename(mutaties, aside));
    const auto before = files();
    for (const char* command :
         {"groups apply", "fill", "groups add --veld Naam --soort bevat --patroon X --groep Y"}) {
        const clirunner::Result result = cli(clirunner::words(command));
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_TRUE(result.err.contains("mutaties.DBF")) << command << ": " << result.err.data();
    }
    EXPECT_EQ(files(), before);

    // Over emptied transactions a rebuild sees no row's history and leaves every row as it is.
    const clirunner::Result empty = clirunner::run(
        m_dir.filePath(u"engine.ini"_s), {u"--tables"_s, m_dir.filePath(u"E"_s), u"complete"_s});
    ASSERT_EQ(empty.status, 0) << empty.err.constData();
    ASSERT_TRUE(QFile::copy(m_dir.filePath(u"E/mutaties.DBF"_s), mutaties));
    out("groups add --veld Naam --soort begint --patroon drogist --groep DROGIST");
    EXPECT_EQ(out("groups apply --dry-run"), "");
    out("groups apply");
    EXPECT_EQ(out("dump bedrijven"), relations);

    // With the transactions back, the rule takes the rows; undo gives them back with their
    // flags, and toggling leaves no deleted rows behind.
    ASSERT_TRUE(QFile::remove(mutaties) && QFile::rename(aside, mutaties));
    out("groups apply");
    const QByteArray grouped = out("dump bedrijven");
    EXPECT_FALSE(grouped.contains("DROGIST FRIS"));
    for (int undo = 1; undo <= 31; ++undo) {
        out("groups undo");
        if (undo == 1 || undo == 31) {
            EXPECT_EQ(out("dump bedrijven"), relations) << "undo " << undo;
        }
    }
    const qint64 rows = out("count bedrijven").trimmed().toLongLong();
    const QByteArray file = files()[u"bedrijven.DBF"_s];
    EXPECT_LE(file.size(), 2 * liveSize(file, rows));
    out("groups undo");
    EXPECT_EQ(out("dump bedrijven"), grouped);
}

TEST_F(CliGroupsTest, statusSaysWhatThePagesSayAndFollowsTheRebuild)
{
    // The import asked for both passes; the month pass alone does not bring the rows.
    EXPECT_EQ(out("status"), "Let op: de totalen zijn nog niet bijgewerkt na het inlezen of legen "
                             "van een tabel. Druk op \xe2\x80\x9c"
                             "Aanvullen relaties\xe2\x80\x9d en daarna op \xe2\x80\x9c"
                             "Vul per maand\xe2\x80\x9d (pagina \xe2\x80\x9c"
                             "Overzicht relaties\xe2\x80\x9d, met lege filters).\n");
    out("groups apply");
    EXPECT_EQ(out("status"), "");
    out("groups add --veld Omschrijving --soort bevat --patroon huur --groep WONEN");
    EXPECT_TRUE(out("status").startsWith("Let op: de totalen volgen de regels"))
        << out("status").data();
    out("groups apply");
    EXPECT_EQ(out("status"), "");
}

TEST_F(CliGroupsTest, anUnreadableRulesTableIsNeverOverwritten)
{
    QFile rules(m_dir.filePath(u"T/relgroep.DBF"_s));
    ASSERT_TRUE(rules.open(QIODevice::WriteOnly | QIODevice::Truncate));
    rules.write("met de hand bewerkt");
    rules.close();
    const auto before = files();
    for (const char* command : {"groups add --veld Naam --soort bevat --patroon X --groep Y",
                                "groups remove 1", "groups apply", "groups undo", "fill"}) {
        const clirunner::Result result = cli(clirunner::words(command));
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_TRUE(result.err.contains("relgroep.DBF")) << command << ": " << result.err.data();
    }
    EXPECT_EQ(files(), before);
}

} // namespace
