// kolvaro-cli over tables folders: read commands leave every file alone, and need their tables.
#include "tests/cli/cli_runner.h"
#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

namespace {

struct Result
{
    int status = -1;
    QString err;
};

class CliTablesTest : public ::testing::Test
{
protected:
    Result cli(const QStringList& arguments)
    {
        const clirunner::Result r = clirunner::run(config(), arguments, {}, m_dir.path());
        return {r.status, QString::fromUtf8(r.err)};
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString config() const { return path(QStringLiteral("engine.ini")); }

    // Every file under the temporary folder with its bytes.
    std::map<QString, QByteArray> files() const
    {
        std::map<QString, QByteArray> all;
        QDir dir(m_dir.path());
        for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden)) {
            QFile file(dir.filePath(entry));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            all[entry] = file.readAll();
        }
        return all;
    }

    QTemporaryDir m_dir;
};

TEST_F(CliTablesTest, readCommandsWriteNoFileNotEvenToMendADamagedTable)
{
    QFile tab(path(QStringLiteral("bank.tab")));
    ASSERT_TRUE(tab.open(QIODevice::WriteOnly));
    tab.write("123\tEUR\t20100101\t0\t0\t20100101\t-12,5\tGIRO 1 JANSEN  HUUR\r\n"
              "123\tEUR\t20100102\t0\t0\t20100102\t3,00\tRENTE\r\n");
    tab.close();
    const QStringList tables = {QStringLiteral("--tables"), m_dir.path()};
    ASSERT_EQ(cli(tables + QStringList{QStringLiteral("import"), tab.fileName()}).status, 0);
    // A crash between a row and the header count: the next writer repairs it, a reader must not.
    QFile mutaties(path(QStringLiteral("mutaties.DBF")));
    ASSERT_TRUE(mutaties.open(QIODevice::ReadWrite));
    mutaties.seek(4);
    mutaties.write(QByteArray("\x01\0\0\0", 4));
    mutaties.close();
    const auto before = files();

    for (const QStringList& command :
         {QStringList{QStringLiteral("dump"), QStringLiteral("mutaties")},
          QStringList{QStringLiteral("dump"), QStringLiteral("bedrijven")},
          QStringList{QStringLiteral("count"), QStringLiteral("mutaties")},
          QStringList{QStringLiteral("totals")},
          QStringList{QStringLiteral("chart"), QStringLiteral("months")}}) {
        const Result result = cli(tables + command);
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        EXPECT_EQ(files(), before) << command.join(u' ').toStdString();
    }

    // Rows the file lost are no failure of the reading, but it is said.
    ASSERT_TRUE(mutaties.open(QIODevice::ReadWrite));
    mutaties.seek(4);
    mutaties.write(QByteArray("\x02\0\0\0", 4));
    mutaties.resize(mutaties.size() - 2);
    mutaties.close();
    const Result lost =
        cli(tables + QStringList{QStringLiteral("dump"), QStringLiteral("mutaties")});
    EXPECT_EQ(lost.status, 0);
    EXPECT_TRUE(lost.err.contains(QStringLiteral("the other 1 are lost")))
        << lost.err.toStdString();
}

TEST_F(CliTablesTest, readCommandsOnMissingTablesOrForeignFoldersFailAndCreateNothing)
{
    const QString typo = path(QStringLiteral("tabelen"));
    struct Case
    {
        QStringList arguments;
        QString error;
    };
    const Case cases[] = {
        {{QStringLiteral("--tables"), typo, QStringLiteral("dump"), QStringLiteral("mutaties")},
         QStringLiteral("Table does not exist: ") + typo},
        {{QStringLiteral("--tables"), typo, QStringLiteral("totals")},
         QStringLiteral("Table does not exist: ") + typo},
        {{QStringLiteral("--tables"), typo, QStringLiteral("chart"), QStringLiteral("relations")},
         QStringLiteral("Table does not exist: ") + typo},
        {{QStringLiteral("--tables"), QStringLiteral("c:\\KOLVARO"), QStringLiteral("totals")},
         QStringLiteral("is a Windows path")},
        {{QStringLiteral("--tables"), QStringLiteral("c:\\KOLVARO"), QStringLiteral("fill")},
         QStringLiteral("is a Windows path")},
        // No alias yet: the default folder is read, and nothing is registered.
        {{QStringLiteral("dump"), QStringLiteral("bedrijven")},
         QStringLiteral("Table does not exist: ") + path(QStringLiteral("KOLVARO"))},
    };
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Result result = cli(c.arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(result.err.contains(c.error)) << result.err.toStdString();
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList());
    }
    QDir::setCurrent(working);
}

TEST_F(CliTablesTest, importStopsAtALineNoBankWrites)
{
    QFile tab(path(QStringLiteral("nul.tab")));
    ASSERT_TRUE(tab.open(QIODevice::WriteOnly));
    tab.write("123\tEUR\t20100102\t0\t0\t20100102\t3,00\tRENTE\r\n" +
              QByteArray(2 * 1024 * 1024, '\0'));
    tab.close();
    const Result result = cli({QStringLiteral("--tables"), path(QStringLiteral("tabellen")),
                               QStringLiteral("import"), tab.fileName()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              tab.fileName() + QStringLiteral(":2: Line 2 is too long (over 1048576 bytes)\n"));
}

} // namespace
