// A program killed at any write of an import or of "Vul per maand" leaves tables that the next
// import and passes make whole, and every action that writes ends with its rows on the disk.
#include "import/import_run.h"
#include "relations/completion.h"
#include "relations/month_totals.h"
#include "relations/selection.h"
#include "store/data_module.h"
#include "store/dbase/cp1252.h"
#include "store/table_emptying.h"
#include "tests/support/write_faults.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

QByteArray line(const char* date, const char* amount, const char* remainder)
{
    return QByteArray("NL01BANK0123456789\tEUR\t") + date + "\t1000,00\t987,50\t" + date + '\t' +
           amount + '\t' + remainder + "\r\n";
}

// Three relations over two years, a relation with a second year late in the file, a copy of a
// line, and a name longer than its field.
const QByteArray kFile =
    line("20221230", "-12,50", "GIRO  1234567 J. JANSEN  HUUR DECEMBER") +
    line("20221231", "-3,10", "BEA   NR:XH7F23K1 31.12.22/12.34 CAFE DE ZWAAN AMSTERDAM,PAS 123") +
    line("20230102", "1500,00", "GIRO  7654321 WERKGEVER BV  SALARIS") +
    line("20230102", "1500,00", "GIRO  7654321 WERKGEVER BV  SALARIS") +
    line("20230115", "-12,75", "GIRO  1234567 J. JANSEN  HUUR JANUARI") +
    line("20230201", "-7,25",
         "BEA   NR:XH7F23K1 01.02.23/09.00 EEN BAKKER MET EEN HEEL ERG LANGE NAAM IN HAARLEM,PAS "
         "1") +
    line("20230220", "2,05", "BEA   NR:XH7F23K1 20.02.23/12.00 CAFE DE ZWAAN AMSTERDAM,PAS 123");

// Every field of every row, in index order.
QStringList rows(dbase::Table& table)
{
    QStringList result;
    for (int r = 0; r < table.recordCount(); ++r) {
        QStringList fields;
        for (int f = 0; f < table.fieldCount(); ++f)
            fields << table.rowAt(r).asString(f);
        result << fields.join(u'|');
    }
    return result;
}

struct Tables
{
    explicit Tables(const QString& folder)
    {
        data.setTablesFolder(folder);
        data.T1.open();
        data.T2.open();
    }
    store::TDataModule1 data;
};

class Crash : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!writefaults::available())
            GTEST_SKIP() << "table writes cannot be watched on this system";
        writefaults::reset();
        QFile file(m_dir.filePath(QStringLiteral("bank.tab")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kFile);
    }
    void TearDown() override { writefaults::reset(); }

    // Import, then "Vul per maand", as the user does them.
    void importAndFill(store::TDataModule1& data)
    {
        import::ImportRun(data.T1, data.T2).run(m_dir.filePath(QStringLiteral("bank.tab")));
        relations::fillMonthTotals(data.T1, data.T2);
    }

    QTemporaryDir m_dir;
};

TEST_F(Crash, everyActionThatWritesEndsWithItsTablesOnTheDisk)
{
    Tables tables(m_dir.filePath(QStringLiteral("tables")));
    store::TDataModule1& data = tables.data;
    const QString file = m_dir.filePath(QStringLiteral("bank.tab"));
    const std::vector<std::pair<const char*, std::function<void()>>> actions = {
        {"import", [&] { import::ImportRun(data.T1, data.T2).run(file); }},
        {"fill", [&] { relations::fillMonthTotals(data.T1, data.T2); }},
        {"empty bedrijven", [&] { store::emptyTableExclusively(data.T2); }},
        {"complete", [&] { relations::completeRelations(data.T1, data.T2); }},
        {"select", [&] { relations::setSelectOfPresented(data.T2, true); }},
        {"toggle", [&] { relations::toggleSelect(data.T2); }},
        {"empty mutaties", [&] { store::emptyTableExclusively(data.T1); }},
    };
    for (const auto& [name, action] : actions) {
        SCOPED_TRACE(name);
        const int before = writefaults::writes();
        action();
        EXPECT_GT(writefaults::writes(), before);
        EXPECT_TRUE(writefaults::allSynced());
    }
}

TEST_F(Crash, killedAtAnyWriteTheNextImportAndPassesGiveTheTablesOfACleanRun)
{
    QStringList cleanMutaties, cleanBedrijven;
    {
        Tables clean(m_dir.filePath(QStringLiteral("clean")));
        importAndFill(clean.data);
        cleanMutaties = rows(clean.data.T1);
        cleanBedrijven = rows(clean.data.T2);
    }
    const int writes = writefaults::writes();
    ASSERT_EQ(cleanMutaties.size(), 6);
    ASSERT_EQ(cleanBedrijven.size(), 6);

    for (int crashAt = 1; crashAt <= writes; ++crashAt) {
        SCOPED_TRACE("killed at write " + std::to_string(crashAt) + " of " +
                     std::to_string(writes));
        const QString folder = m_dir.filePath(QStringLiteral("run%1").arg(crashAt));
        writefaults::reset();
        writefaults::crashAtWrite(crashAt);
        {
            Tables killed(folder);
            EXPECT_ANY_THROW(importAndFill(killed.data));
        }
        writefaults::reset();

        Tables next(folder);
        store::TDataModule1& data = next.data;
        EXPECT_TRUE(cleanMutaties.mid(0, data.T1.recordCount()) == rows(data.T1))
            << "not a prefix of the file's transactions";
        import::ImportRun(data.T1, data.T2).run(m_dir.filePath(QStringLiteral("bank.tab")));
        const QStringList imported = rows(data.T2);
        relations::completeRelations(data.T1, data.T2);
        EXPECT_EQ(rows(data.T2), imported) << "the import left a relation-year row out";
        relations::fillMonthTotals(data.T1, data.T2);
        EXPECT_EQ(rows(data.T1), cleanMutaties);
        EXPECT_EQ(rows(data.T2), cleanBedrijven);
    }
}

} // namespace

namespace {

TEST_F(Crash, killedWhileFillingInBalancesTheNextImportFillsTheRest)
{
    // The file as imports before the balances were kept left it: rows without them.
    QByteArray old = kFile;
    old.replace("\t1000,00\t987,50\t", "\t\t\t");
    const QString oldFile = m_dir.filePath(QStringLiteral("old.tab"));
    {
        QFile file(oldFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    const QString bank = m_dir.filePath(QStringLiteral("bank.tab"));
    QStringList clean;
    {
        Tables tables(m_dir.filePath(QStringLiteral("clean")));
        import::ImportRun(tables.data.T1, tables.data.T2).run(oldFile);
        writefaults::reset();
        const import::ImportCounts counts =
            import::ImportRun(tables.data.T1, tables.data.T2).run(bank);
        EXPECT_EQ(counts.added, 0);
        clean = rows(tables.data.T1);
    }
    const int writes = writefaults::writes();
    ASSERT_GE(writes, 6) << "a write per filled row";
    ASSERT_TRUE(clean[0].endsWith(u"|1000|987.5")) << clean[0].toStdString();

    for (int crashAt = 1; crashAt <= writes; ++crashAt) {
        SCOPED_TRACE("killed at write " + std::to_string(crashAt) + " of " +
                     std::to_string(writes));
        const QString folder = m_dir.filePath(QStringLiteral("fill%1").arg(crashAt));
        {
            Tables before(folder);
            import::ImportRun(before.data.T1, before.data.T2).run(oldFile);
        }
        writefaults::reset();
        writefaults::crashAtWrite(crashAt);
        {
            Tables killed(folder);
            EXPECT_ANY_THROW(import::ImportRun(killed.data.T1, killed.data.T2).run(bank));
        }
        writefaults::reset();

        Tables next(folder);
        EXPECT_EQ(next.data.T1.recordCount(), clean.size()) << "no row lost or added";
        const import::ImportCounts counts = import::ImportRun(next.data.T1, next.data.T2).run(bank);
        EXPECT_EQ(counts.added, 0);
        EXPECT_EQ(rows(next.data.T1), clean);
    }
}

} // namespace
