// kolvaro-cli chart: the series as text, the picture, and the usage errors.
#include "charts/series/chart_list.h"
#include "store/data_module.h"
#include "store/table_names.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/qt_print.h"
#include "tests/support/relation_year.h"

#include <QFile>
#include <QSize>
#include <QTemporaryDir>
#include <QtEndian>

using namespace Qt::StringLiterals;
using namespace store::names;

namespace {

struct Result
{
    int status = -1;
    QStringList lines;
    QString err;
};

class CliChartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        store::TDataModule1 data;
        data.setTablesFolder(tables());
        data.T1.open();
        data.T2.open();
        auto transaction = [&](const QDate& date, double amount) {
            data.T1.append();
            data.T1.fieldByName(kDatum).setAsDate(date);
            data.T1.fieldByName(kNaam).setAsString(u"WINKEL"_s);
            data.T1.fieldByName(kBedrag).setAsFloat(amount);
        };
        transaction(QDate(2010, 1, 9), 20.5);
        transaction(QDate(2010, 1, 4), -10.0);
        testsupport::addRelationYear(data.T2, {u"A"_s, u"2009"_s, {{0, -12.5}, {1, 3.0}}, true});
        testsupport::addRelationYear(data.T2, {u"B"_s, u"2011"_s, {{0, 7.0}, {1, -1.0}}, true});
        testsupport::addRelationYear(data.T2, {u"C"_s, u"2011"_s, {{0, 100.0}, {1, 0.0}}, false});
        data.closeAll();
    }

    Result cli(const QStringList& arguments)
    {
        const clirunner::Result r =
            clirunner::run(m_dir.filePath(u"engine.ini"_s),
                           QStringList{u"--tables"_s, tables(), u"chart"_s} + arguments);
        return {r.status, QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts),
                QString::fromUtf8(r.err)};
    }

    QString tables() const { return m_dir.filePath(u"tables"_s); }

    QTemporaryDir m_dir;
};

#ifdef KOLVARO_CLI_PICTURES
// Width and height from a PNG's header chunk.
QSize pngSize(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(24);
    if (head.size() < 24 || !head.startsWith("\x89PNG"))
        return {};
    return QSize(qFromBigEndian<qint32>(head.constData() + 16),
                 qFromBigEndian<qint32>(head.constData() + 20));
}
#endif

} // namespace

TEST_F(CliChartTest, transactionsPrintBarsThenBothMeansInDateOrder)
{
    const Result r = cli({u"transactions"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList expected = {u"series\ttitle\tindex\tlabel\tvalue\tcolour"_s,
                                  u"1\t\t0\t04-01-2010\t10\t#FF0000"_s,
                                  u"1\t\t1\t09-01-2010\t20.5\t#008000"_s,
                                  u"2\t\t0\t\t10\t#8A0000"_s,
                                  u"2\t\t1\t\t10\t#8A0000"_s,
                                  u"3\t\t0\t\t0\t#005100"_s,
                                  u"3\t\t1\t\t20.5\t#005100"_s};
    EXPECT_EQ(r.lines, expected);
}

TEST_F(CliChartTest, relationsTakeTheTickedYearsInListOrder)
{
    const Result r = cli({u"relations"_s, u"--years"_s, u"2011,2009"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines.size(), 1 + 6 * 12);
    EXPECT_EQ(r.lines[1], u"1\t2009\t0\tjan\t12.5\t#6C6CB7"_s);
    EXPECT_EQ(r.lines[13], u"2\t2011\t0\tjan\t7\t#FF8080"_s); // C is not selected
    EXPECT_EQ(r.lines[25], u"3\t0000\t0\tjan\t0\t#3A7850"_s);
    EXPECT_EQ(r.lines[38], u"4\tgemid\t1\tfeb\t4.75\t#8080C0"_s); // |-12.5 + 3| / 2
}

TEST_F(CliChartTest, monthsAddEveryPresentedRow)
{
    const Result r = cli({u"months"_s});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines.size(), 1 + 3 * 12);
    EXPECT_EQ(r.lines[1], u"1\tUitgaven\t0\tjan\t12.5\t#FF0000"_s);
    EXPECT_EQ(r.lines[13], u"2\tInkomsten\t0\tjan\t107\t#008000"_s);
    EXPECT_EQ(r.lines[26], u"3\tGemiddeld\t1\tfeb\t48.25\t#000080"_s); // (94.5 + 2) / 2
}

TEST_F(CliChartTest, filterOptionsOfTheTableTheChartReads)
{
    struct Case
    {
        QStringList args;
        int status;
        qsizetype lines;  // with status 0: how many, the header included
        int line;         // which one to compare
        QString expected; // that line, or a part of stderr
    };
    const std::vector<Case> cases = {
        {{u"months"_s, u"--jaar"_s, u"2011"_s}, 0, 37, 1, u"1\tUitgaven\t0\tjan\t0\t#FF0000"_s},
        {{u"relations"_s, u"--naam"_s, u"b"_s, u"--years"_s, u"2011"_s},
         0,
         73,
         1,
         u"1\t2011\t0\tjan\t7\t#6C6CB7"_s},
        {{u"transactions"_s, u"--datum-van"_s, u"05-01-2010"_s},
         0,
         4,
         1,
         u"1\t\t0\t09-01-2010\t20.5\t#008000"_s},
        {{u"transactions"_s, u"--datum-van"_s, u"1-13-2010"_s},
         1,
         0,
         0,
         u"'1-13-2010' is not a valid date"_s},
        {{u"transactions"_s, u"--jaar"_s, u"2010"_s}, 2, 0, 0, u"usage"_s},
        {{u"months"_s, u"--relatie"_s, u"x"_s}, 2, 0, 0, u"usage"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const Result r = cli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.lines.size(), c.lines);
        if (c.status == 0) {
            EXPECT_EQ(r.lines.value(c.line), c.expected) << r.err.toStdString();
        } else {
            EXPECT_TRUE(r.err.contains(c.expected)) << r.err.toStdString();
        }
    }
}

TEST_F(CliChartTest, picturesAndUsageErrors)
{
    struct Case
    {
        QStringList args;
        int status;
        QString err;
    };
    const QString missing = m_dir.filePath(u"no/such/dir/chart.png"_s);
#ifdef KOLVARO_CLI_PICTURES
    const QString cannotWrite = u"Cannot create file "_s + missing;
#else
    const QString cannotWrite = u"built without the windows"_s;
#endif
    const std::vector<Case> cases = {
        {{}, 2, u"usage"_s},
        {{u"pie"_s}, 2, u"usage"_s},
        {{u"relations"_s, u"--years"_s, u"2005"_s}, 2, u"'2005' is not in the year list"_s},
        {{u"relations"_s, u"--years"_s, u"2009,,2010"_s}, 2, u"'' is not in the year list"_s},
        {{u"months"_s, u"--years"_s, u"2010"_s}, 2, u"usage"_s},
        {{u"transactions"_s, u"--size"_s, u"300x200"_s}, 2, u"usage"_s},
        {{u"transactions"_s, u"--png"_s}, 2, u"usage"_s},
        {{u"months"_s, u"--png"_s, u"x.png"_s, u"--size"_s, u"0x5"_s}, 2, u"'0x5' is not a size"_s},
        {{u"months"_s, u"--png"_s, missing}, 1, cannotWrite},
    };
    for (const Case& c : cases) {
        const Result r = cli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
        EXPECT_TRUE(r.lines.isEmpty()) << c.args.join(u' ').toStdString();
    }
#ifdef KOLVARO_CLI_PICTURES
    const QString window = m_dir.filePath(u"window.png"_s);
    const QString sized = m_dir.filePath(u"sized.png"_s);
    EXPECT_EQ(cli({u"transactions"_s, u"--png"_s, window}).status, 0);
    EXPECT_EQ(pngSize(window), QSize(1013, 658));
    EXPECT_EQ(cli({u"relations"_s, u"--png"_s, sized, u"--size"_s, u"400x300"_s}).status, 0);
    EXPECT_EQ(pngSize(sized), QSize(400, 300));
#endif
}

// The usage texts and the README's command table list the charts of the chart list, in its
// order.
TEST_F(CliChartTest, usageTextsAndReadmeNameTheChartsOfTheList)
{
    const QString names = charts::chartNames();
    const clirunner::Result help =
        clirunner::run(m_dir.filePath(u"engine.ini"_s), QStringList{u"--help"_s});
    EXPECT_TRUE(QString::fromUtf8(help.out).contains(u"\n  chart "_s + names + u" [FILTER...]\n"_s))
        << help.out.toStdString();
    const Result bad = cli({});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, u"usage: kolvaro-cli [--tables DIR] chart "_s + names +
                           u" [FILTER...] [--years Y,Y,...] [--png FILE [--size WxH]]\n"_s);
    QFile readme(QStringLiteral(KOLVARO_README));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(readme.readAll())
                    .contains(u"| `kolvaro-cli chart "_s +
                              QString(names).replace(u"|"_s, u"\\|"_s) + u" [FILTER...]"_s));
}
