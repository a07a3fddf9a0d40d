// kolvaro-cli groups over a folder of imported sample transactions.
#include "tests/cli/cli_runner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

using namespace Qt::StringLiterals;

namespace {

class CliGroupsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const clirunner::Result sample = cli(clirunner::words("sample --lines 300"));
        QFile tab(m_dir.filePath(u"bank.tab"_s));
        ASSERT_TRUE(tab.open(QIODevice::WriteOnly));
        tab.write(sample.out);
        tab.close();
        ASSERT_EQ(cli({u"import"_s, tab.fileName()}).status, 0);
        ASSERT_EQ(cli({u"fill"_s}).status, 0);
    }

    clirunner::Result cli(QStringList arguments)
    {
        arguments.prepend(m_dir.filePath(u"T"_s));
        arguments.prepend(u"--tables"_s);
        return clirunner::run(m_dir.filePath(u"engine.ini"_s), arguments);
    }

    QByteArray out(const char* arguments)
    {
        const clirunner::Result result = cli(clirunner::words(arguments));
        EXPECT_EQ(result.status, 0) << arguments << ": " << result.err.constData();
        return result.out;
    }

    std::map<QString, QByteArray> files() const
    {
        std::map<QString, QByteArray> all;
        const QDir dir(m_dir.filePath(u"T"_s));
        for (const QString& entry : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(entry));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            all[entry] = file.readAll();
        }
        return all;
    }

    QTemporaryDir m_dir;
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

} // namespace
