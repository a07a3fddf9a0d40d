// One table file, two programs; locks left behind; a table in a folder the user may not write.
#include "store/dbase/engine_error.h"
#include "store/dbase/table.h"
#include "store/table_definitions.h"
#include "store/table_emptying.h"
#include "store/table_names.h"
#include "tests/store/engine_test_support.h"
#include "tests/store/mutaties_rows.h"

#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using namespace enginetest;
using dbase::EngineError;
using dbase::Table;
namespace names = store::names;

const QString kFile = u"mutaties.DBF"_s;
const Mutatie kRow{QDate(2024, 3, 5), 4, u"BUURTWINKELS"_s, u"pin"_s, u"1234"_s, -23.5};

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

enum class Use
{
    Reader,
    Writer,
    Emptier, // exclusive
};

std::unique_ptr<Table> mutatiesFor(const QString& folder, Use use)
{
    auto table = std::make_unique<Table>();
    table->setDefinition(store::mutatiesDefinition());
    table->setDirectory(folder);
    table->setReadOnly(use == Use::Reader);
    table->setExclusive(use == Use::Emptier);
    return table;
}

// A child that opens the table for `use` and holds it until it is killed; its pid.
pid_t holdInChild(const QString& folder, Use use)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        try {
            const auto table = mutatiesFor(folder, use);
            table->open();
            if (write(fds[1], "x", 1) == 1)
                pause();
        } catch (...) {
        }
        _exit(1);
    }
    close(fds[1]);
    char ready = 0;
    const bool opened = read(fds[0], &ready, 1) == 1;
    close(fds[0]);
    if (!opened) {
        waitpid(pid, nullptr, 0);
        return -1;
    }
    return pid;
}

// Opens the table for `use` and, unless only reading, stores a row: "" or the error's text.
QString useTable(const QString& folder, Use use)
{
    const auto table = mutatiesFor(folder, use);
    try {
        table->open();
        if (use != Use::Reader)
            addMutatie(*table, kRow);
        table->close();
    } catch (const EngineError& error) {
        return error.text();
    }
    return {};
}

TEST(TableSharing, locksEndWithTheirHolderHoweverItEndsAndNameItsProcess)
{
    struct Case
    {
        Use holder;
        Use other;
        bool shared; // the other opens while the holder lives
    };
    const Case cases[] = {
        {Use::Writer, Use::Writer, false}, {Use::Writer, Use::Emptier, false},
        {Use::Writer, Use::Reader, true},  {Use::Reader, Use::Writer, true},
        {Use::Reader, Use::Reader, true},  {Use::Emptier, Use::Reader, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "holder " << int(c.holder) << ", other " << int(c.other));
        QTemporaryDir dir;
        ASSERT_EQ(useTable(dir.path(), Use::Writer), QString());
        const pid_t holder = holdInChild(dir.path(), c.holder);
        ASSERT_GT(holder, 0);
        const QString whileHeld = useTable(dir.path(), c.other);
        if (c.shared) {
            EXPECT_EQ(whileHeld, QString());
        } else {
            EXPECT_TRUE(whileHeld.contains(u"in use by another program"_s) &&
                        whileHeld.contains(kFile))
                << whileHeld.toStdString();
            if (c.holder != Use::Reader) {
                EXPECT_TRUE(whileHeld.contains(u"(process %1)"_s.arg(holder)))
                    << whileHeld.toStdString();
            }
        }
        kill(holder, SIGKILL);
        waitpid(holder, nullptr, 0);
        EXPECT_EQ(useTable(dir.path(), Use::Writer), QString()) << "after the holder was killed";
        EXPECT_FALSE(QFile::exists(dir.filePath(kFile + u".lock"_s)));
    }
}

TEST(TableSharing, emptyingThatCannotTakeTheTableLeavesItAsItWas)
{
    QTemporaryDir dir;
    const auto table = mutatiesFor(dir.path(), Use::Writer);
    table->open();
    addMutatie(*table, kRow);
    const pid_t reader = holdInChild(dir.path(), Use::Reader);
    ASSERT_GT(reader, 0);
    EXPECT_THROW(store::emptyTableExclusively(*table), EngineError);
    kill(reader, SIGKILL);
    waitpid(reader, nullptr, 0);
    EXPECT_TRUE(table->isOpen());
    EXPECT_FALSE(table->exclusive());
    EXPECT_EQ(table->recordCount(), 1);
    addMutatie(*table, kRow); // and goes on writing
    EXPECT_EQ(table->recordCount(), 2);
}

TEST(TableSharing, aLeftoverLockFileBlocksNobody)
{
    for (const QByteArray& leftover :
         {QByteArray(), QByteArray("\0\0garbage"), QByteArray("1\n")}) {
        QTemporaryDir dir;
        ASSERT_EQ(useTable(dir.path(), Use::Writer), QString());
        writeFile(dir.filePath(kFile + u".lock"_s), leftover);
        EXPECT_EQ(useTable(dir.path(), Use::Writer), QString()) << leftover.toHex().toStdString();
        EXPECT_EQ(useTable(dir.path(), Use::Reader), QString());
    }
}

TEST(TableSharing, aReadOnlyFileOrFolderOpensButRefusesToWriteSayingWhich)
{
    struct Case
    {
        const char* label;
        bool fileWritable;
        QString reason;
    };
    const Case cases[] = {
        {"read-only file", false, u"the file is read-only"_s},
        {"read-only folder", true, u"the folder is read-only"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"alleen-lezen"_s);
        ASSERT_EQ(useTable(folder, Use::Writer), QString());
        const QString path = folder + QLatin1Char('/') + kFile;
        const QByteArray before = readFile(path);
        const bool root = geteuid() == 0;
        // Root writes through any mode, so the child becomes "nobody"; the folders stay root's.
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const QFile::Permissions walkable =
            readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        const QFile::Permissions writable =
            readOnly | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        ASSERT_TRUE(QFile::setPermissions(dir.path(), walkable | QFile::WriteOwner));
        ASSERT_TRUE(QFile::setPermissions(folder, root ? walkable | QFile::WriteOwner : walkable));
        ASSERT_TRUE(QFile::setPermissions(
            path, c.fileWritable ? writable : (root ? readOnly | QFile::WriteOwner : readOnly)));

        const std::string result = runInChild([&]() -> std::string {
            if (root && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
                return "skip: cannot become nobody";
            if (QFile probe(path); !probe.open(QIODevice::ReadOnly))
                return "skip: the temporary folder is out of reach for this user";
            if (QFile probe(path); probe.open(QIODevice::ReadWrite) != c.fileWritable)
                return "skip: the file's mode did not take";
            const auto table = mutatiesFor(folder, Use::Writer);
            try {
                table->open();
            } catch (const EngineError& error) {
                return std::string("open failed: ") + error.what();
            }
            if (readAll(*table) != std::vector<Mutatie>{kRow})
                return "rows differ";
            try {
                addMutatie(*table, kRow);
                return "stored a row";
            } catch (const EngineError& error) {
                const QString text = error.text();
                if (!text.contains(kFile) || !text.contains(c.reason))
                    return "error does not name the file and the reason: " + text.toStdString();
            }
            return {};
        });
        QFile::setPermissions(folder, walkable | QFile::WriteOwner);
        if (result.rfind("skip: ", 0) == 0)
            GTEST_SKIP() << result;
        EXPECT_EQ(result, "");
        EXPECT_EQ(readFile(path), before);
    }
}

} // namespace
