// kolvaro-cli gaps, status's notice of them and chart saldo, over tables with the bank's
// balances written by the engine beforehand.
#include "store/data_module.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/balance_tables.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using testsupport::addWithBalances;

namespace {

class CliGapsTest : public ::testing::Test
{
protected:
    // mutaties with balances (or the program's own without them) and an empty bedrijven.
    void write(bool withBalances)
    {
        if (withBalances) {
            dbase::Table mutaties;
            mutaties.setDefinition(testsupport::mutatiesWithBalances());
            mutaties.setDirectory(tables());
            mutaties.setIndexName(store::names::kIndexDatum);
            mutaties.open();
            const QDate d(2024, 3, 1);
            addWithBalances(mutaties, d, 5.0, 90.0); // the bank's order: the second line first
            addWithBalances(mutaties, d, -10.0, 100.0);
            addWithBalances(mutaties, d.addDays(1), -20.0, 95.0);
            addWithBalances(mutaties, d.addDays(1), 3.0, std::nullopt); // no balances
            addWithBalances(mutaties, d.addDays(4), -45.5, 1275.0);     // 1200 missing before it
            addWithBalances(mutaties, d.addDays(19), -5.0, 1184.0);     // -45.5 missing before it
            addWithBalances(mutaties, d.addDays(19), 7.0, 1179.0, 1190.0); // check failed
            addWithBalances(mutaties, d.addDays(20), 1.0, 1190.0);
            mutaties.close();
        }
        store::TDataModule1 data;
        data.setTablesFolder(tables());
        data.T1.open();
        data.T2.open();
        data.closeAll();
    }

    clirunner::Result cli(const QStringList& arguments)
    {
        return clirunner::run(m_dir.filePath(u"engine.ini"_s),
                              QStringList{u"--tables"_s, tables()} + arguments);
    }

    QString tables() const { return m_dir.filePath(u"tables"_s); }

    QTemporaryDir m_dir;
};

TEST_F(CliGapsTest, listsTheGapsInDateOrderAndStatusCountsThem)
{
    write(true);
    const clirunner::Result gaps = cli({u"gaps"_s});
    EXPECT_EQ(gaps.status, 0) << gaps.err.constData();
    EXPECT_EQ(gaps.out, "2024-03-02\t2024-03-05\t1200\n2024-03-05\t2024-03-20\t-45.5\n");
    const clirunner::Result status = cli({u"status"_s});
    EXPECT_EQ(status.status, 0) << status.err.constData();
    EXPECT_TRUE(status.out.endsWith("Er ontbreken boekingen: 2 perioden\n")) << status.out.data();
    EXPECT_EQ(cli({u"gaps"_s, u"x"_s}).status, 2);
}

TEST_F(CliGapsTest, aTableWithoutBalancesHasNoGaps)
{
    write(false);
    const clirunner::Result gaps = cli({u"gaps"_s});
    EXPECT_EQ(gaps.status, 0) << gaps.err.constData();
    EXPECT_EQ(gaps.out, "");
    EXPECT_FALSE(cli({u"status"_s}).out.contains("ontbreken"));
}

} // namespace

namespace {

TEST_F(CliGapsTest, chartSaldoPrintsTheDaysThenTheGaps)
{
    write(true);
    const auto lines = [&](const QStringList& arguments) {
        const clirunner::Result r = cli(QStringList{u"chart"_s, u"saldo"_s} + arguments);
        EXPECT_EQ(r.status, 0) << r.err.constData();
        return QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts);
    };
    const QString header = u"series\ttitle\tindex\tlabel\tvalue\tcolour"_s;
    EXPECT_EQ(
        lines({}),
        (QStringList{header, u"1\tSaldo\t0\t2024-03-01\t95\t#000080"_s,
                     u"1\tSaldo\t1\t2024-03-02\t75\t#000080"_s,
                     u"1\tSaldo\t2\t2024-03-05\t1229.5\t#000080"_s,
                     u"1\tSaldo\t3\t2024-03-20\t1190\t#000080"_s,
                     u"1\tSaldo\t4\t2024-03-21\t1191\t#000080"_s,
                     u"2\tOntbrekende boekingen\t0\t2024-03-02/2024-03-05\t1200\t#FF0000"_s,
                     u"2\tOntbrekende boekingen\t1\t2024-03-05/2024-03-20\t-45.5\t#FF0000"_s}));
    EXPECT_EQ(lines({u"--datum-van"_s, u"20-03-2024"_s}),
              (QStringList{header, u"1\tSaldo\t0\t2024-03-20\t1190\t#000080"_s,
                           u"1\tSaldo\t1\t2024-03-21\t1191\t#000080"_s}));
#ifdef KOLVARO_CLI_PICTURES
    const QString png = m_dir.filePath(u"saldo.png"_s);
    EXPECT_EQ(lines({u"--png"_s, png, u"--size"_s, u"400x300"_s}), QStringList{});
    EXPECT_TRUE(QFile::exists(png));
#endif
}

} // namespace
