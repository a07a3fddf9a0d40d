// A program killed at any step of a table's upgrade (the first write of a version that keeps
// more fields than the file has) leaves one whole table under the table's name, with every row.
// The steps are the writes, syncs and renames of the backup and of the new file, which go to
// temporary files beside the table; this program stands in for those calls of the C library
// and ends itself at the chosen one, as a kill would.
#include "store/dbase/table.h"
#include "store/table_definitions.h"
#include "store/table_names.h"
#include "tests/store/engine_test_support.h"
#include "tests/store/mutaties_rows.h"
#include "tests/support/fd_path.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef Q_OS_LINUX
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

int g_step = 0;   // steps seen since armed
int g_killAt = 0; // 0: not armed

bool endsWith(const std::string& text, const char* end)
{
    const std::size_t n = std::strlen(end);
    return text.size() >= n && text.compare(text.size() - n, n, end) == 0;
}

// True when the step is the one to die at; `half` is written first, as a torn write.
bool dieHere()
{
    return g_killAt > 0 && ++g_step == g_killAt;
}

template <typename F> F real(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" ssize_t write(int fd, const void* bytes, size_t size)
{
    static const auto next = real<ssize_t (*)(int, const void*, size_t)>("write");
    if (g_killAt > 0 && endsWith(testsupport::fdPath(fd), ".tmp") && dieHere()) {
        next(fd, bytes, size / 2);
        _exit(137);
    }
    return next(fd, bytes, size);
}

extern "C" int fsync(int fd)
{
    static const auto next = real<int (*)(int)>("fsync");
    if (g_killAt > 0 && endsWith(testsupport::fdPath(fd), ".tmp") && dieHere())
        _exit(137);
    return next(fd);
}

extern "C" int rename(const char* from, const char* to)
{
    static const auto next = real<int (*)(const char*, const char*)>("rename");
    if (g_killAt > 0 && endsWith(from, ".tmp") && dieHere())
        _exit(137);
    return next(from, to);
}

extern "C" int renameat2(int fromDir, const char* from, int toDir, const char* to,
                         unsigned int flags)
{
    static const auto next =
        real<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
    if (g_killAt > 0 && endsWith(from, ".tmp") && dieHere())
        _exit(137);
    return next(fromDir, from, toDir, to, flags);
}

namespace {

using namespace enginetest;
using namespace Qt::StringLiterals;
namespace names = store::names;

// Each field its own value, one row deleted.
const std::vector<Mutatie> kOld = {
    {QDate(2021, 4, 1), 3, u"HUUR"_s, u"april"_s, u"NL02"_s, -750.0},
    {QDate(2020, 1, 9), 4, u"Caf\u00e9"_s, u"koffie"_s, u"1234"_s, -3.2},
    {QDate(2022, 7, 30), 7, u"WERKGEVER"_s, u"salaris"_s, u"NL03"_s, 2500.55},
};
const Mutatie kNew{QDate(2023, 2, 2), 5, u"NIEUW"_s, u"na de upgrade"_s, u"99"_s, 12.34};

void writeOldTable(const QString& folder)
{
    dbase::Table table;
    table.setDefinition(mutatiesWithoutBalances());
    table.setDirectory(folder);
    table.open();
    for (const Mutatie& row : kOld)
        addMutatie(table, row);
    addMutatie(table, {QDate(2019, 1, 1), 6, u"WEG"_s, {}, {}, 1.0});
    table.last();
    table.deleteRow();
}

TEST(UpgradeCrash, killedAtAnyStepTheTableOpensWithEveryRow)
{
    bool finished = false;
    int killAt = 1;
    for (; !finished && killAt < 50; ++killAt) {
        SCOPED_TRACE("killed at step " + std::to_string(killAt));
        QTemporaryDir dir;
        writeOldTable(dir.path());
        const std::string died = runInChild([&] {
            g_killAt = killAt;
            auto table = openMutaties(dir.path());
            addMutatie(*table, kNew); // the first write: the upgrade
            table->close();
            return std::string("finished");
        });
        finished = died == "finished";

        auto table = openMutaties(dir.path());
        std::vector<Mutatie> rows = readAll(*table);
        const bool upgraded = table->fieldIndex(names::kSaldoVoor) >= 0;
        if (finished || (upgraded && rows.size() == kOld.size() + 1)) {
            ASSERT_TRUE(upgraded);
            EXPECT_EQ(rows.back(), kNew);
            rows.pop_back();
        }
        EXPECT_EQ(rows, kOld);
        // What the killed program left half done, the next write completes.
        addMutatie(*table, kNew);
        table->close();
        table->open();
        EXPECT_GE(table->fieldIndex(names::kSaldoNa), 0);
        rows = readAll(*table);
        EXPECT_EQ(std::vector<Mutatie>(rows.begin(), rows.begin() + 3), kOld);
        EXPECT_TRUE(QDir(dir.path()).exists(u"mutaties.BAK"_s));
    }
    EXPECT_TRUE(finished) << "the upgrade never ran to its end";
    // Backup and new file: each written, synced and renamed.
    EXPECT_GE(killAt - 2, 6) << "steps before the end";
}

} // namespace

#endif
