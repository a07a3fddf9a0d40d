// A table file made of the input's bytes, opened as any table, as mutaties and as bedrijven:
// opening gives the engine's error or rows that every reader and every cursor move can walk.
// A table that opens for writing takes a new row, and reads back with it.
#include "store/dbase/engine_error.h"
#include "store/dbase/table.h"
#include "store/table_definitions.h"
#include "store/table_names.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/input_file.h"
#include "tests/support/dbf_oracle.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<QTemporaryDir> g_dir;

// Every presented row by cursor moves, through every reader; the rows' bytes.
std::vector<QByteArray> walk(dbase::Table& table)
{
    std::vector<QByteArray> rows = dbforacle::rowsByCursor(table);
    FUZZ_CHECK(static_cast<int>(rows.size()) == table.recordCount());
    return rows;
}

// The file's rows as the definition presents them, after the searches of its index.
void readAs(const QString& path, const dbase::TableDefinition& definition, const QString& index)
{
    dbase::Table table;
    table.setDefinition(definition);
    table.setDirectory(g_dir->path());
    table.setIndexName(index);
    table.setReadOnly(true);
    try {
        table.open();
    } catch (const dbase::EngineError& error) {
        FUZZ_CHECK(error.text().contains(path));
        return;
    }
    walk(table);
    if (index == store::names::kIndexNaam) {
        table.findNearest(u"M"_s);
        table.findNearest(QString());
    } else if (!index.isEmpty()) {
        table.findNearest(QDate(2023, 6, 1));
        table.findNearest(QDate());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication application(*argc, *argv);
    g_dir = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // One name for all three readings; the engine finds it whatever the case.
    const QString path = g_dir->filePath(u"mutaties.DBF"_s);
    writeInputFile(path, data, size);
    const dbase::TableDefinition any{u"mutaties.DBF"_s, {}, {}, {}, {}};
    dbase::TableDefinition bedrijven = store::bedrijvenDefinition();
    bedrijven.fileName = any.fileName;
    readAs(path, store::mutatiesDefinition(), store::names::kIndexDatum);
    readAs(path, bedrijven, store::names::kIndexNaam);

    dbase::Table table;
    table.setDefinition(any);
    table.setDirectory(g_dir->path());
    std::vector<QByteArray> rows;
    try {
        table.open();
        rows = walk(table);
        dbforacle::appendEngineRow(table);
    } catch (const dbase::EngineError& error) {
        FUZZ_CHECK(error.text().contains(path));
        return 0;
    }
    rows.push_back(walk(table).back());
    table.close();
    table.setReadOnly(true);
    table.open();
    FUZZ_CHECK(walk(table) == rows);
    return 0;
}
