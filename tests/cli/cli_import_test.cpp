// kolvaro-cli classify and import, run as the separate program they are.
#include "tests/cli/cli_runner.h"
#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

using clirunner::Result;

class CliTest : public ::testing::Test
{
protected:
    Result cli(const QStringList& arguments, const QByteArray& input = {})
    {
        return clirunner::run(m_dir.filePath(QStringLiteral("engine.ini")), arguments, input);
    }

    Result import(const QStringList& files)
    {
        return cli(QStringList{QStringLiteral("--tables"), tables(), QStringLiteral("import")} +
                   files);
    }

    QStringList dump(const char* table)
    {
        const Result result = cli({QStringLiteral("--tables"), tables(), QStringLiteral("dump"),
                                   QString::fromLatin1(table)});
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        QStringList rows = QString::fromUtf8(result.out).split(u'\n', Qt::SkipEmptyParts);
        if (!rows.isEmpty())
            rows.removeFirst(); // the header line
        return rows;
    }

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QString tables() const { return m_dir.filePath(QStringLiteral("tables")); }

    QTemporaryDir m_dir;
};

// A line whose balances add up: `before`, then before + amount (an amount that is no number
// leaves the balance as it was).
QByteArray line(const char* date, const char* amount, const QByteArray& remainder,
                const char* before = "0")
{
    const auto cents = [](const char* text) {
        return qRound64(QString::fromLatin1(text).replace(u',', u'.').toDouble() * 100);
    };
    const qint64 after = cents(before) + cents(amount);
    const QByteArray afterText = QByteArray::number(after / 100.0, 'f', 2).replace('.', ',');
    return QByteArray("123\tEUR\t") + date + '\t' + before + '\t' + afterText + '\t' + date + '\t' +
           amount + '\t' + remainder + "\r\n";
}

TEST_F(CliTest, classifyPrintsTheTrimmedValuesInUtf8)
{
    // Windows-1252 in: 0xC9 is É, 0xE8 is è; LF, CRLF and CR line ends; a last line without one.
    const QByteArray input = "BEA   NR:XH7F23K1 31.12.10/12.34 CAF\xc9 DE ZWAAN AMSTERDAM,PAS 123\n"
                             "GIRO  1234567 J. JANSEN  HUUR   JANUARI  \r\n"
                             " 12.34.56.789 CR\xc8"
                             "CHE  MAAND\r"
                             "\n\n" // CRLF counts once, then an empty line
                             "RENTE";
    const Result result = cli({QStringLiteral("classify")}, input);
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(
        QString::fromUtf8(result.out),
        QString::fromUtf8("6\tXH7F23K1\tCAFÉ DE ZWAAN AMSTERDAM,\t31.12.10/12.34 CAFÉ DE ZWAAN "
                          "AMSTERDAM,PAS 123\n"
                          "4\t1234567\tJ. JANSEN\tHUUR JANUARI\n"
                          "3\t12.34.56.789\tCRÈCHE\tMAAND\n"
                          "3\tKOLVARO\tKOLVARO\t\n"
                          "3\tKOLVARO\tKOLVARO\tRENTE\n"));
}

TEST_F(CliTest, importCountsNewAndSkippedPerFile)
{
    const QString first =
        write(QStringLiteral("first.tab"), line("20100101", "-12,5", "GIRO 1 JANSEN  HUUR") +
                                               line("20100102", "3,00", "RENTE", "-12,50"));
    const QString second =
        write(QStringLiteral("second.tab"), line("20100102", "3,00", "RENTE", "-12,50") +
                                                line("20110103", "1", "RENTE", "-9,50"));
    const Result result = import({first, second});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "2 nieuw, 0 overgeslagen\n1 nieuw, 1 overgeslagen\n");
    EXPECT_TRUE(result.err.isEmpty()) << "no progress line when stderr is not a terminal";
    EXPECT_EQ(
        dump("mutaties"),
        (QStringList{QStringLiteral("2010-01-01\t4\tJANSEN\tHUUR\t1\t-12.5\t0\t-12.5"),
                     QStringLiteral("2010-01-02\t3\tKOLVARO\tRENTE\tKOLVARO\t3\t-12.5\t-9.5"),
                     QStringLiteral("2011-01-03\t3\tKOLVARO\tRENTE\tKOLVARO\t1\t-9.5\t-8.5")}));
    EXPECT_EQ(import({first}).out, "0 nieuw, 2 overgeslagen\n");
    // The new tables folder received the help text as well.
    EXPECT_TRUE(QFile::exists(tables() + QStringLiteral("/help.rtf")));
}

TEST_F(CliTest, importNamesTheLinesWhoseBalancesFailAfterTheCounts)
{
    const QString file =
        write(QStringLiteral("saldo.tab"),
              line("20100101", "-12,5", "GIRO 1 JANSEN  HUUR") +
                  "123\tEUR\t20100102\t-12,50\t-22,50\t20100102\t-9,99\tRENTE\r\n" // 1 cent off
                  "123\tEUR\t20100103\t\t\t20100103\t4,00\tRENTE\r\n");            // none
    const Result result = import({file});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "3 nieuw, 0 overgeslagen\n2 saldo-fouten, eerste op regel 2\n");
    EXPECT_EQ(
        dump("mutaties"),
        (QStringList{QStringLiteral("2010-01-01\t4\tJANSEN\tHUUR\t1\t-12.5\t0\t-12.5"),
                     QStringLiteral("2010-01-02\t3\tKOLVARO\tRENTE\tKOLVARO\t-9.99\t-12.5\t-22.5"),
                     QStringLiteral("2010-01-03\t3\tKOLVARO\tRENTE\tKOLVARO\t4\t\t")}));
}

TEST_F(CliTest, importNamesTheMissingPeriodsItLeavesAndClosesThem)
{
    // The 3rd of January is missing: 20,00 that the balances still count.
    const QString first =
        write(QStringLiteral("jan.tab"), line("20100101", "-12,5", "RENTE", "100,00") +
                                             line("20100105", "4", "RENTE", "107,50"));
    EXPECT_EQ(import({first}).out, "2 nieuw, 0 overgeslagen\ngat\t2010-01-01\t2010-01-05\t20\n");
    const QString missing =
        write(QStringLiteral("missing.tab"), line("20100103", "20,00", "RENTE", "87,50"));
    EXPECT_EQ(import({missing}).out, "1 nieuw, 0 overgeslagen\n");
}

TEST_F(CliTest, importStopsAtTheFirstFailureWithFileAndLine)
{
    const QString good = write(QStringLiteral("good.tab"), line("20100101", "1", "RENTE"));
    const QString bad =
        write(QStringLiteral("bank.tab"), line("20100102", "2", "RENTE") +
                                              line("20100103", "1.234,56", "RENTE") +
                                              line("20100104", "4", "RENTE"));
    const QString never = write(QStringLiteral("never.tab"), line("20100105", "5", "RENTE"));
    const Result result = import({good, bad, never});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "1 nieuw, 0 overgeslagen\n");
    EXPECT_EQ(QString::fromUtf8(result.err),
              bad + QStringLiteral(":2: '1.234,56' is not a valid floating point value\n"));
    EXPECT_EQ(dump("mutaties").size(), 2) << "the rows before the failure stay stored";
}

TEST_F(CliTest, importFileErrorsAndUsage)
{
    const QString missing = m_dir.filePath(QStringLiteral("missing.tab"));
    const Result result = import({missing});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(QString::fromUtf8(result.err), missing + QStringLiteral(": File not found\n"));
    EXPECT_EQ(import({}).status, 2);
    EXPECT_EQ(cli({QStringLiteral("classify"), QStringLiteral("extra")}).status, 2);
}

TEST_F(CliTest, classicModeAndAccountChoice)
{
    // One card payment in today's layout, as each mode reads it.
    const QByteArray card = "BEA, Betaalpas                   BAKKERIJ HOEK,PAS123            "
                            "NR:TRM001, 05.01.26/12:34";
    EXPECT_EQ(cli({QStringLiteral("classify")}, card).out,
              "6\tTRM001\tBAKKERIJ HOEK\tBAKKERIJ HOEK,PAS123 NR:TRM001, 05.01.26/12:34\n");
    EXPECT_EQ(cli({QStringLiteral("classify"), QStringLiteral("--classic")}, card).out,
              "6\talpas\tBAKKERIJ HOEK,PAS123\tBAKKERIJ HOEK,PAS123            NR:TRM001, "
              "05.01.26/12:34\n");

    // Read under the old rules, then again under today's: nothing is stored twice.
    const QString file = write(QStringLiteral("card.tab"), line("20260105", "-3,5", card));
    const auto importWith = [&](const QStringList& options, const QString& tab) {
        return cli(QStringList{QStringLiteral("--tables"), tables(), QStringLiteral("import")} +
                   options + QStringList{tab});
    };
    EXPECT_EQ(importWith({QStringLiteral("--classic")}, file).out, "1 nieuw, 0 overgeslagen\n");
    EXPECT_EQ(importWith({}, file).out, "0 nieuw, 1 overgeslagen\n");

    // Two accounts in one file: nothing without a choice, one account with it.
    QByteArray other = line("20260106", "7", "RENTE");
    other.replace(0, 3, "456");
    const QString mixed =
        write(QStringLiteral("mixed.tab"), line("20260106", "1", "RENTE", "-3,50") + other);
    const Result refused = importWith({}, mixed);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(QString::fromUtf8(refused.err),
              mixed + QStringLiteral(": het bestand bevat meerdere rekeningen: 123 (1 regel), "
                                     "456 (1 regel); kies er een met --account\n"));
    EXPECT_EQ(importWith({QStringLiteral("--account"), QStringLiteral("999")}, mixed).status, 1);
    EXPECT_EQ(dump("mutaties").size(), 1) << "a refused file stores nothing";
    // The tables hold account 123: the other one of the file is refused, naming both.
    const Result otherAccount =
        importWith({QStringLiteral("--account"), QStringLiteral("456")}, mixed);
    EXPECT_EQ(otherAccount.status, 1);
    EXPECT_EQ(QString::fromUtf8(otherAccount.err),
              mixed + QStringLiteral(": Het bestand is van rekening 456, de tabellen zijn van "
                                     "rekening 123: er is niets ingelezen. Houd een andere "
                                     "rekening bij in een eigen tabellenmap.\n"));
    EXPECT_EQ(dump("mutaties").size(), 1) << "a file of another account stores nothing";
    EXPECT_EQ(importWith({QStringLiteral("--account"), QStringLiteral("123")}, mixed).out,
              "1 nieuw, 0 overgeslagen, 1 van een andere rekening\n");
    EXPECT_EQ(importWith({QStringLiteral("--account")}, mixed).status, 2);
}

} // namespace
