// The help text that a tables folder receives when its tables are made.
#include "store/data_module.h"
#include "store/default_help.h"
#include "store/table_names.h"
#include "tests/support/qt_print.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(DefaultHelp, onlyANewTablesFolderReceivesIt)
{
    const QByteArray shipped = contents(QStringLiteral(":/store/help.rtf"));
    ASSERT_TRUE(shipped.startsWith("{\\rtf1"));
    const QString mutaties = QStringLiteral("mutaties.DBF");
    const QString bedrijven = QStringLiteral("bedrijven.DBF");
    const struct
    {
        const char* name;
        bool tablesBefore;       // both tables made by an earlier start
        QString removedTable;    // then taken away again
        QByteArray helpBefore;   // empty: no help.rtf
        QByteArray expectedHelp; // after opening the tables
    } cases[] = {
        {"newFolder", false, {}, {}, shipped},
        {"ownHelpIsKept", false, {}, "eigen tekst", "eigen tekst"},
        {"existingTables", true, {}, {}, "(missing)"},
        {"oneTableMissing", true, bedrijven, {}, "(missing)"},
        {"otherTableMissing", true, mutaties, {}, "(missing)"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("KOLVARO")) + u'/';
        const QString help = folder + store::names::kHelpFile;
        if (c.tablesBefore) {
            store::TDataModule1 earlier;
            earlier.setTablesFolder(folder);
            earlier.openTables();
            earlier.closeAll();
            QFile::remove(help);
            if (!c.removedTable.isEmpty())
                QFile::remove(folder + c.removedTable);
        }
        if (!c.helpBefore.isEmpty()) {
            QDir().mkpath(folder);
            writeFile(help, c.helpBefore);
        }
        store::TDataModule1 data;
        data.setTablesFolder(folder);
        data.openTables();
        EXPECT_TRUE(data.T1.isOpen() && data.T2.isOpen()) << c.name;
        EXPECT_EQ(contents(help), c.expectedHelp) << c.name;
        data.closeAll();
    }
}

} // namespace
