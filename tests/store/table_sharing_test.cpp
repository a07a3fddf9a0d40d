// One table file, two programs; a table in a folder the user may not write.
#include "store/dbase/engine_error.h"
#include "store/dbase/table.h"
#include "store/table_definitions.h"
#include "store/table_names.h"
#include "tests/store/engine_test_support.h"
#include "tests/store/mutaties_rows.h"

#include <QFile>
#include <QTemporaryDir>
#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using namespace enginetest;
using dbase::EngineError;
using dbase::Table;
namespace names = store::names;

const QString kFile = u"mutaties.DBF"_s;
const Mutatie kRow{QDate(2024, 3, 5), 4, u"ALBERT HEIJN"_s, u"pin"_s, u"1234"_s, -23.5};

// Tries to open the table in another process; returns "opened" or the error's text.
std::string openInOtherProcess(const QString& folder, bool exclusive)
{
    return runInChild([&]() -> std::string {
        Table table;
        table.setDefinition(store::mutatiesDefinition());
        table.setDirectory(folder);
        table.setExclusive(exclusive);
        try {
            table.open();
        } catch (const EngineError& error) {
            return std::string("error: ") + error.what();
        }
        const int count = table.recordCount();
        table.close();
        return "opened " + std::to_string(count);
    });
}

TEST(TableSharing, aSecondProgramGetsAClearErrorAndTheFileStaysIntact)
{
    QTemporaryDir dir;
    auto table = openMutaties(dir.path());
    addMutatie(*table, kRow);
    const QByteArray before = readFile(table->filePath());

    for (bool exclusive : {false, true}) {
        const std::string result = openInOtherProcess(dir.path(), exclusive);
        EXPECT_EQ(result.rfind("error: ", 0), 0u) << "exclusive " << exclusive << ": " << result;
        EXPECT_NE(QString::fromStdString(result).indexOf(kFile, 0, Qt::CaseInsensitive), -1)
            << result;
    }
    EXPECT_EQ(readFile(table->filePath()), before);

    addMutatie(*table, kRow); // the first program goes on writing
    table->close();
    EXPECT_EQ(openInOtherProcess(dir.path(), false), "opened 2") << "the lock ends with close";
    table->open();
    EXPECT_EQ(readAll(*table), (std::vector<Mutatie>{kRow, kRow}));
}

TEST(TableSharing, aTableInAReadOnlyFolderOpensButRefusesToWrite)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"alleen-lezen"_s);
    {
        auto table = openMutaties(folder);
        addMutatie(*table, kRow);
        table->close();
    }
    const QString path = folder + QLatin1Char('/') + kFile;
    const QByteArray before = readFile(path);
    const bool root = geteuid() == 0;
    // Root writes through any mode, so the child becomes "nobody"; the folders stay root's.
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions walkable =
        readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), walkable | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(folder, root ? walkable | QFile::WriteOwner : walkable));
    ASSERT_TRUE(QFile::setPermissions(path, root ? readOnly | QFile::WriteOwner : readOnly));

    const std::string result = runInChild([&]() -> std::string {
        if (root && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            return "skip: cannot become nobody";
        if (QFile probe(path); !probe.open(QIODevice::ReadOnly))
            return "skip: the temporary folder is out of reach for this user";
        if (QFile probe(path); probe.open(QIODevice::ReadWrite))
            return "skip: the file is writable after all";
        Table table;
        table.setDefinition(store::mutatiesDefinition());
        table.setDirectory(folder);
        try {
            table.open();
        } catch (const EngineError& error) {
            return std::string("open failed: ") + error.what();
        }
        if (readAll(table) != std::vector<Mutatie>{kRow})
            return "rows differ";
        table.append();
        table.fieldByName(names::kNaam).setAsString(u"NIEUW"_s);
        try {
            table.post();
            return "post succeeded";
        } catch (const EngineError& error) {
            table.cancel();
            table.close();
            if (!QString::fromUtf8(error.what()).contains(kFile, Qt::CaseInsensitive))
                return std::string("error does not name the file: ") + error.what();
        }
        return {};
    });
    QFile::setPermissions(folder, walkable | QFile::WriteOwner);
    if (result.rfind("skip: ", 0) == 0)
        GTEST_SKIP() << result;
    EXPECT_EQ(result, "");
    EXPECT_EQ(readFile(path), before);
}

} // namespace
