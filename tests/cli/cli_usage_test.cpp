// kolvaro-cli's help, version and usage errors, and the escapes that keep a dumped row on one
// line.
#include "store/data_module.h"
#include "store/table_names.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/qt_print.h"
#include "tests/support/relation_year.h"

#include <QDate>
#include <QTemporaryDir>

namespace {

namespace n = store::names;

class CliUsageTest : public ::testing::Test
{
protected:
    clirunner::Result cli(const QStringList& arguments)
    {
        return clirunner::run(m_dir.filePath(QStringLiteral("engine.ini")), arguments);
    }
    QTemporaryDir m_dir;
};

TEST_F(CliUsageTest, helpVersionAndUsageErrors)
{
    struct Case
    {
        const char* arguments;
        int status;
        bool usageOnStdout; // else on stderr, with nothing on stdout
    };
    const Case cases[] = {
        {"--help", 0, true},
        {"-h", 0, true},
        {"--tables x --help", 0, true},
        {"", 2, false},
        {"--tables", 2, false},
        {"--tables x", 2, false},
        {"purge", 2, false},
        {"--verbose dump", 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const clirunner::Result result = cli(clirunner::words(c.arguments));
        EXPECT_EQ(result.status, c.status);
        const QByteArray& usage = c.usageOnStdout ? result.out : result.err;
        EXPECT_TRUE(usage.startsWith("usage: kolvaro-cli [--tables DIR] COMMAND"));
        for (const char* command : {"classify", "import", "complete", "fill", "totals", "dump",
                                    "export", "sample --lines N"})
            EXPECT_TRUE(usage.contains(command)) << command;
        EXPECT_TRUE((c.usageOnStdout ? result.err : result.out).isEmpty());
    }

    const clirunner::Result version = cli(clirunner::words("--version"));
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "kolvaro-cli " KOLVARO_VERSION "\n");
}

TEST_F(CliUsageTest, dumpEscapesTabsLineBreaksAndBackslashesInTexts)
{
    const QString tables = m_dir.filePath(QStringLiteral("tables"));
    {
        store::TDataModule1 data;
        data.setTablesFolder(tables);
        data.T1.open();
        data.T2.open();
        data.T1.append();
        data.T1.fieldByName(n::kDatum).setAsDate(QDate(2011, 2, 3));
        data.T1.fieldByName(n::kSoort).setAsInteger(3);
        data.T1.fieldByName(n::kNaam).setAsString(QStringLiteral("A\tB"));
        data.T1.fieldByName(n::kOmschrijving).setAsString(QStringLiteral("regel 1\r\nregel 2\n"));
        data.T1.fieldByName(n::kReknum).setAsString(QStringLiteral("C:\\MAP\\t"));
        data.T1.fieldByName(n::kBedrag).setAsFloat(-4.5);
        data.T1.post();
        testsupport::addRelationYear(data.T2,
                                     {QStringLiteral("ÉÉN\\TWEE"), QStringLiteral("2011")});
        data.closeAll();
    }
    const auto dump = [&](const QString& table) {
        const clirunner::Result result =
            cli({QStringLiteral("--tables"), tables, QStringLiteral("dump"), table});
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        return QString::fromUtf8(result.out);
    };
    EXPECT_EQ(dump(n::kMutaties),
              QStringLiteral(
                  "datum\tSoort\tNaam\tOmschrijving\treknum\tBedrag\tSaldoVoor\tSaldoNa\n"
                  "2011-02-03\t3\tA\\tB\tregel 1\\r\\nregel 2\\n\tC:\\\\MAP\\\\t\t-4.5\t\t\n"));
    EXPECT_TRUE(dump(n::kBedrijven).contains(QStringLiteral("\n2011\tÉÉN\\\\TWEE\t")));
}

} // namespace
