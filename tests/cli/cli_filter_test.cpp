// kolvaro-cli's filter options: the boxes of the pages' filter rows, as typed, on count, dump,
// fill, totals, select and deselect.
#include "store/data_module.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/qt_print.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

using clirunner::words;

QByteArray line(const char* date, const char* amount, const char* description)
{
    return QByteArray("123\tEUR\t") + date + "\t0\t0\t" + date + '\t' + amount + '\t' +
           description + "\r\n";
}

class CliFilterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QByteArray lines =
            line("20100301", "-12,5", "GIRO 1 JANSEN  HUUR") + line("20100302", "3,00", "RENTE") +
            line("20110103", "1", "RENTE") +
            line("20110104", "-7,25", "BEA   NR:AB12CD   04.01.11/10.15 DE HOEK,PAS123");
        QFile bank(m_dir.filePath(QStringLiteral("bank.tab")));
        ASSERT_TRUE(bank.open(QIODevice::WriteOnly) && bank.write(lines) == lines.size());
        bank.close();
        ASSERT_EQ(cli({QStringLiteral("import"), bank.fileName()}).status, 0);
        ASSERT_EQ(cli({QStringLiteral("complete")}).status, 0);
    }

    // The select flag of every bedrijven row in NAAM order, as dump writes it ("." when empty).
    QString flags()
    {
        const QStringList lines =
            QString::fromUtf8(cli(words("dump bedrijven")).out).split(u'\n', Qt::SkipEmptyParts);
        const qsizetype select = lines.value(0).split(u'\t').indexOf(QStringLiteral("select"));
        QString text;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QString flag = lines[i].split(u'\t').value(select);
            text += flag.isEmpty() ? QStringLiteral(".") : flag;
        }
        return text;
    }

    clirunner::Result cli(const QStringList& arguments)
    {
        return clirunner::run(
            m_dir.filePath(QStringLiteral("engine.ini")),
            QStringList{QStringLiteral("--tables"), m_dir.filePath(QStringLiteral("tables"))} +
                arguments);
    }

    QTemporaryDir m_dir;
};

TEST_F(CliFilterTest, optionsFilterAsTheBoxesDo)
{
    struct Case
    {
        QStringList args;
        int status;
        QByteArray out;
        QByteArray err; // with status 2: the usage
    };
    const Case cases[] = {
        {words("count mutaties"), 0, "4\n4\t-19.75\t-15.75\n", ""},
        {words("count mutaties --relatie kolvaro"), 0, "2\n4\t0\t4\n", ""},
        {words("count mutaties --datum-van 02-03-2010"), 0, "3\n4\t-7.25\t-3.25\n",
         ""}, // nothing copied
        {words("count mutaties --datum-tm 2-3-2010"), 0, "2\n3\t-12.5\t-9.5\n", ""},
        {words("count mutaties --soort-van 3 --soort-tm 3"), 0, "2\n4\t0\t4\n", ""},
        {words("count mutaties --soort-van 6")
             << QStringLiteral("--omschrijving") << QStringLiteral("  "),
         0, "1\n0\t-7.25\t-7.25\n", ""},
        {words("count bedrijven --jaar 2011"), 0, "2\n", ""},
        {words("count bedrijven --jaar 2010 --naam KOL"), 0, "1\n", ""},
        {words("dump mutaties --relatie jan"), 0,
         "datum\tSoort\tNaam\tOmschrijving\treknum\tBedrag\tSaldoVoor\tSaldoNa\n2010-03-"
         "01\t4\tJANSEN\t"
         "HUUR\t1\t-12.5\t0\t0\n",
         ""},
        {words("count mutaties --datum-van 1-13-2010"), 1, "", "'1-13-2010' is not a valid date\n"},
        {words("count mutaties --soort-tm x"), 1, "", "'x' is not a valid integer value\n"},
        {words("count mutaties --jaar 2010"), 2, "", ""}, // an option of the other table
        {words("count mutaties --relatie"), 2, "", ""},
        {words("totals --relatie x"), 2, "", ""}, // totals reads bedrijven only
    };
    for (const Case& c : cases) {
        const clirunner::Result result = cli(c.args);
        const std::string what = c.args.join(u' ').toStdString();
        EXPECT_EQ(result.status, c.status) << what;
        EXPECT_EQ(result.out, c.out) << what;
        if (c.status == 2) {
            EXPECT_TRUE(result.err.startsWith("usage:")) << what;
        } else {
            EXPECT_EQ(result.err, c.err) << what;
        }
    }
}

TEST_F(CliFilterTest, passesAndTotalsSeeTheFilteredRows)
{
    // Filled from the KOLVARO transactions only: the other relations' months stay 0.
    ASSERT_EQ(cli(words("fill --relatie kolvaro")).status, 0);
    EXPECT_EQ(cli(words("totals")).out,
              "1,00\t0,00\t3,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\n");
    const clirunner::Result year = cli(words("totals --year 2010"));
    EXPECT_EQ(year.out, "0,00\t0,00\t3,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\n");
    EXPECT_EQ(cli(words("totals --jaar 2010")).out, year.out);
}

TEST_F(CliFilterTest, selectAndDeselectWriteThePresentedRows)
{
    // bedrijven in NAAM order: DE HOEK 2011, JANSEN 2010, KOLVARO 2010, KOLVARO 2011. Each run
    // opens the tables anew, so the flags read back are the ones on disk.
    struct Case
    {
        const char* args;
        int status;
        QByteArray out;
        const char* flags; // afterwards
    };
    const Case cases[] = {
        {"select --naam kol", 0, "2\n", "..TT"},
        {"deselect --jaar 2011", 0, "2\n", "F.TF"},
        {"select", 0, "4\n", "TTTT"},
        {"deselect --jaar 2011 --naam jan", 0, "0\n", "TTTT"},
        {"deselect --relatie kol", 2, "", "TTTT"}, // the transactions page's box
        {"deselect --naam", 2, "", "TTTT"},
        {"select bedrijven", 2, "", "TTTT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const clirunner::Result result = cli(words(c.args));
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.out, c.out);
        if (c.status == 2) {
            EXPECT_TRUE(result.err.startsWith("usage:"));
        }
        EXPECT_EQ(flags(), QString::fromLatin1(c.flags));
    }

    // A table another program holds: the engine's message, status 1, nothing written.
    store::TDataModule1 other;
    other.setTablesFolder(m_dir.filePath(QStringLiteral("tables")));
    other.T2.open();
    const clirunner::Result locked = cli(words("deselect"));
    EXPECT_EQ(locked.status, 1);
    EXPECT_TRUE(locked.out.isEmpty());
    EXPECT_TRUE(locked.err.contains("in use by another program")) << locked.err.toStdString();
    other.T2.close();
    EXPECT_EQ(flags(), QStringLiteral("TTTT"));
}

TEST_F(CliFilterTest, exportWritesTheGridsCsvAllOrNothing)
{
    const QString csv = m_dir.filePath(QStringLiteral("uit.csv"));
    struct Case
    {
        QStringList args;
        int status;
        QByteArray bytes; // of the file; empty: none written
    };
    const Case cases[] = {
        {words("export mutaties --relatie jan --csv") << csv, 0,
         "\xEF\xBB\xBF"
         "datum;Srt;Bedrag;Relatie;code/reknr;Omschrijving\r\n"
         "01-03-2010;4;-12,50;JANSEN;1;HUUR\r\n"},
        {words("export bedrijven --jaar 2010 --naam JAN --csv") << csv, 0,
         "\xEF\xBB\xBF"
         "sel;jaar;Naam;jan;feb;mrt;apr;mei;jun;jul;aug;sep;okt;nov;dec\r\n"
         ";2010;JANSEN;;;;;;;;;;;;\r\n"},
        {words("export mutaties --csv") << m_dir.filePath(QStringLiteral("bank.tab/uit.csv")),
         1,
         {}},
        {words("export mutaties --relatie jan"), 2, {}},
        {words("export mutaties --naam x --csv") << csv, 2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        QFile::remove(csv);
        const clirunner::Result r = cli(c.args);
        EXPECT_EQ(r.status, c.status) << r.err.toStdString();
        QFile file(csv);
        EXPECT_EQ(file.exists(), !c.bytes.isEmpty());
        if (file.open(QIODevice::ReadOnly)) {
            EXPECT_EQ(file.readAll(), c.bytes);
        }
    }
}

TEST_F(CliFilterTest, theTotalsNoticeFollowsImportAndUnfilteredPasses)
{
    // The import raised it and "complete" (in SetUp) did its part.
    QFile notice(m_dir.filePath(QStringLiteral("tables/totalen.txt")));
    const auto due = [&]() -> QByteArray {
        if (!notice.open(QIODevice::ReadOnly))
            return "-";
        const QByteArray text = notice.readAll();
        notice.close();
        return text;
    };
    EXPECT_EQ(due(), QByteArray("vul-per-maand\n"));
    ASSERT_EQ(cli(words("fill --relatie jan")).status, 0);
    EXPECT_EQ(due(), QByteArray("vul-per-maand\n")); // saw only some transactions
    ASSERT_EQ(cli(words("fill")).status, 0);
    EXPECT_EQ(due(), QByteArray("-"));
}

} // namespace
