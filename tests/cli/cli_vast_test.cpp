// kolvaro-cli vast over imported sample transactions: the columns, a reproducible day to look
// from, and the items marked "Niet vast".
#include "tests/cli/cli_runner.h"

#include "recurring/fixed_costs.h"
#include "recurring/hidden_items.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

class CliVastTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const clirunner::Result sample = cli(clirunner::words("sample --lines 2500 --seed 4"));
        QFile tab(m_dir.filePath(u"bank.tab"_s));
        ASSERT_TRUE(tab.open(QIODevice::WriteOnly));
        tab.write(sample.out);
        tab.close();
        ASSERT_EQ(cli({u"import"_s, tab.fileName()}).status, 0);
    }

    QString tables() const { return m_dir.filePath(u"T"_s); }

    clirunner::Result cli(QStringList arguments)
    {
        arguments.prepend(tables());
        arguments.prepend(u"--tables"_s);
        return clirunner::run(m_dir.filePath(u"engine.ini"_s), arguments);
    }

    // The rows of `vast` with the arguments, after checking its header.
    QStringList rows(const char* arguments)
    {
        const clirunner::Result result = cli(clirunner::words(arguments));
        EXPECT_EQ(result.status, 0) << arguments << ": " << result.err.constData();
        EXPECT_TRUE(result.err.isEmpty()) << result.err.constData();
        QStringList lines = QString::fromUtf8(result.out).split(u'\n');
        EXPECT_EQ(lines.takeLast(), QString()) << "ends with a line end";
        EXPECT_EQ(lines.value(0),
                  u"relatie\tritme\tbedrag\tlaatste\tvolgende\tstatus\tvorig bedrag"_s);
        if (!lines.isEmpty())
            lines.removeFirst();
        return lines;
    }

    QTemporaryDir m_dir;
};

TEST_F(CliVastTest, columnsAndTheDayLookedFrom)
{
    const QStringList all = rows("vast");
    ASSERT_GE(all.size(), 15);
    const QRegularExpression money(u"^-?\\d+(\\.\\d{1,2})?$"_s);
    QString previous;
    QSet<QString> statuses;
    int income = 0, rises = 0;
    for (const QString& row : all) {
        SCOPED_TRACE(row.toStdString());
        const QStringList f = row.split(u'\t');
        ASSERT_EQ(f.size(), 7);
        EXPECT_LE(previous.compare(f[0], Qt::CaseInsensitive), 0) << "sorted by relation";
        previous = f[0];
        EXPECT_TRUE(
            QStringList({u"maand"_s, u"kwartaal"_s, u"halfjaar"_s, u"jaar"_s}).contains(f[1]));
        EXPECT_TRUE(money.match(f[2]).hasMatch());
        const QDate last = QDate::fromString(f[3], Qt::ISODate);
        const QDate next = QDate::fromString(f[4], Qt::ISODate);
        EXPECT_TRUE(last.isValid() && next > last);
        statuses << f[5];
        income += !f[2].startsWith(u'-');
        if (!f[6].isEmpty()) {
            ++rises;
            EXPECT_TRUE(money.match(f[6]).hasMatch());
            EXPECT_EQ(f[6].startsWith(u'-'), f[2].startsWith(u'-')) << "same direction";
        }
    }
    EXPECT_EQ(statuses, (QSet<QString>{u"loopt"_s, u"gestopt"_s, u"wisselend"_s}));
    EXPECT_GE(income, 2);
    EXPECT_GE(rises, 10);

    // A day in the past gives the same answer every time, as if the later rows were not there.
    const QStringList past = rows("vast --peildatum 2022-06-30");
    EXPECT_EQ(rows("vast --peildatum 2022-06-30"), past);
    EXPECT_NE(past, all);
    for (const QString& row : past)
        EXPECT_LE(row.section(u'\t', 3, 3), u"2022-06-30"_s) << row.toStdString();
    EXPECT_EQ(rows("vast --peildatum 2030-01-01").filter(u"\tloopt\t"_s), QStringList())
        << "nothing runs years after the last payment";
}

TEST_F(CliVastTest, hiddenItemsOnlyWithAlle)
{
    const QStringList all = rows("vast");
    ASSERT_FALSE(all.isEmpty());
    {
        store::TDataModule1 data;
        data.setTablesFolder(tables());
        for (dbase::Table* table : {&data.T1, &data.T2}) {
            table->setReadOnly(true);
            table->open();
        }
        const recurring::FixedCosts costs = recurring::fixedCosts(data, std::nullopt, false);
        ASSERT_EQ(costs.items.size(), std::size_t(all.size()));
        recurring::hideItem(tables(), costs.items[1].key);
        data.closeAll();
    }
    QStringList shown = all;
    shown.removeAt(1);
    EXPECT_EQ(rows("vast"), shown);
    EXPECT_EQ(rows("vast --alle"), all);
    EXPECT_EQ(rows("vast --alle --peildatum 2023-03-31"),
              rows("vast --peildatum 2023-03-31 --alle"));
}

TEST_F(CliVastTest, badArgumentsAreUsageErrors)
{
    for (const char* arguments : {"vast --peildatum", "vast --peildatum 2023-02-30",
                                  "vast --peildatum 31-01-2023", "vast --alle --alle", "vast nu"}) {
        const clirunner::Result result = cli(clirunner::words(arguments));
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.startsWith("usage: kolvaro-cli [--tables DIR] vast")) << arguments;
    }
}

} // namespace
