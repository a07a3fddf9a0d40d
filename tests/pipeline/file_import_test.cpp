// The import keeps one account per table set: the first import sets it, another account is
// refused with nothing stored, empty tables and tables from before take any.
#include "import/import_error.h"
#include "pipeline/file_import.h"
#include "pipeline/tables_account.h"
#include "relations/group_resolver.h"
#include "store/data_module.h"

#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

constexpr const char* kOwn = "NL01KOLV0123456789";
constexpr const char* kOther = "NL02KOLV9876543210";

enum class Act
{
    Import,   // a file of one line of `account`
    Forget,   // tables from before the remembered account: no file beside them
    Remember, // the file names `account`
};

struct Step
{
    Act act;
    const char* account = nullptr;
    bool refused = false;
};

struct Case
{
    const char* name;
    std::vector<Step> steps;
    int rows;               // mutaties at the end
    const char* remembered; // at the end
};

class FileImportTest : public ::testing::Test
{
protected:
    QString tables() const { return m_dir.filePath(QStringLiteral("KOLVARO")); }

    // Imports one line of the account into the tables, opened anew as each start opens them;
    // the error text, empty when the file was read.
    QString importLine(const char* account, int day)
    {
        const QString path = m_dir.filePath(QStringLiteral("bank%1.tab").arg(day));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray date = QByteArray::number(20240300 + day);
        file.write(QByteArray(account) + "\tEUR\t" + date + "\t100,00\t" +
                   QByteArray::number(100 - day) + ",00\t" + date + "\t-" +
                   QByteArray::number(day) + ",00\tRENTE " + QByteArray::number(day) + "\r\n");
        file.close();

        store::TDataModule1 data;
        data.setTablesFolder(tables());
        data.openTables();
        const relations::GroupResolver groups;
        pipeline::FileImport fileImport(data, groups);
        QString error;
        const int mutaties = data.T1.storedRowCount();
        const int bedrijven = data.T2.storedRowCount();
        try {
            fileImport.run(path, [](const auto&) { return std::optional<QString>(QString()); });
        } catch (const import::ImportError& e) {
            error = e.text();
            EXPECT_EQ(data.T1.storedRowCount(), mutaties) << "a refused file stores nothing";
            EXPECT_EQ(data.T2.storedRowCount(), bedrijven);
        }
        m_rows = data.T1.storedRowCount();
        data.closeAll();
        return error;
    }

    QTemporaryDir m_dir;
    int m_rows = 0;
};

TEST_F(FileImportTest, oneAccountPerTableSet)
{
    const Case cases[] = {
        {"the first import sets it", {{Act::Import, kOwn}}, 1, kOwn},
        {"another spelling is the same account",
         {{Act::Import, kOwn}, {Act::Import, "nl01 kolv 0123 4567 89"}},
         2,
         kOwn},
        {"another account is refused", {{Act::Import, kOwn}, {Act::Import, kOther, true}}, 1, kOwn},
        {"tables from before take the next account, then only it",
         {{Act::Import, kOwn}, {Act::Forget}, {Act::Import, kOther}, {Act::Import, kOwn, true}},
         2,
         kOther},
        {"empty tables take any account",
         {{Act::Remember, kOwn}, {Act::Import, kOther}},
         1,
         kOther},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir(tables()).removeRecursively());
        int day = 0;
        for (const Step& step : c.steps) {
            switch (step.act) {
            case Act::Import: {
                const QString error = importLine(step.account, ++day);
                if (step.refused)
                    EXPECT_EQ(error, QStringLiteral("Het bestand is van rekening %1, de tabellen "
                                                    "zijn van rekening %2: er is niets "
                                                    "ingelezen. Houd een andere rekening bij in "
                                                    "een eigen tabellenmap.")
                                         .arg(QString::fromLatin1(step.account),
                                              pipeline::tablesAccount(tables())));
                else
                    EXPECT_EQ(error, QString());
                break;
            }
            case Act::Forget:
                ASSERT_TRUE(QFile::remove(QDir(tables()).filePath(QStringLiteral("rekening.txt"))));
                break;
            case Act::Remember:
                ASSERT_TRUE(QDir().mkpath(tables()));
                pipeline::setTablesAccount(tables(), QString::fromLatin1(step.account));
                break;
            }
        }
        EXPECT_EQ(m_rows, c.rows);
        EXPECT_EQ(pipeline::tablesAccount(tables()), QString::fromLatin1(c.remembered));
    }
}

TEST(NormalAccount, oneFormForEverySpelling)
{
    const struct
    {
        const char16_t* written;
        const char16_t* normal;
    } cases[] = {
        {u"NL01KOLV0123456789", u"NL01KOLV0123456789"},
        {u" nl01 kolv\t0123 4567 89 ", u"NL01KOLV0123456789"},
        {u"123456789", u"123456789"},
        {u"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pipeline::normalAccount(QString::fromUtf16(c.written)),
                  QString::fromUtf16(c.normal));
}

} // namespace
