// Mutations of tables the engine and other writers made. Whatever the bytes, opening gives a
// clear error or the rows as the file stores them, and a row the engine then stores reads back
// with them. KOLVARO_FUZZ_CASES sets the number of cases (CI runs a few hundred under the
// sanitizers; run thousands by hand), KOLVARO_FUZZ_SEED the first seed.
#include "store/dbase/dbf_file.h"
#include "store/dbase/engine_error.h"
#include "store/dbase/table.h"
#include "tests/store/engine_test_support.h"
#include "tests/store/mutaties_rows.h"
#include "tests/support/dbf_oracle.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>
#include <random>

using namespace Qt::StringLiterals;

namespace {

using namespace enginetest;
using dbase::EngineError;
using dbase::Table;

const QString kFile = u"fuzz.DBF"_s;

// The files the mutations start from: level 7 as the engine writes it, level 3 with a deleted
// row, and level 7 with every binary kind.
std::vector<QByteArray> seeds()
{
    QTemporaryDir dir;
    std::vector<QByteArray> files;
    {
        auto table = openMutaties(dir.path());
        addMutatie(*table, {QDate(2024, 3, 5), 4, u"BUURTWINKELS"_s, u"pin"_s, u"1234"_s, -23.5});
        addMutatie(*table, {QDate(2023, 12, 31), 7, u"Caf\u00e9"_s, u"x"_s, {}, 1250.0});
        addMutatie(*table, {{}, 3, {}, {}, {}, 0.05});
        table->close();
        files.push_back(readFile(dir.filePath(u"mutaties.DBF"_s)));
    }
    const auto fields = mutatiesLevel3Fields();
    files.push_back(
        rawTable(fields, {rawRecord(fields, {"20240305", "4", "ALBERT", "pin", "1234", "-23.50"}),
                          rawRecord(fields, {"20240101", "3", "WEG", "", "", "1.00"}, '*'),
                          rawRecord(fields, {"", "", "", "", "", ""})}));
    const QString binary = dir.filePath(kFile);
    dbase::DbfFile::create(binary, {{u"NAAM"_s, 'C', 6, 0, 0},
                                    {u"AANTAL"_s, 'I', 4, 0, 0},
                                    {u"BEDRAG"_s, 'O', 8, 0, 0},
                                    {u"STEMPEL"_s, '@', 8, 0, 0},
                                    {u"OK"_s, 'L', 1, 0, 0},
                                    {u"DATUM"_s, 'D', 8, 0, 0},
                                    {u"TOTAAL"_s, 'F', 12, 3, 0}});
    {
        Table table;
        table.setDefinition({kFile, {}, {}, {}, {}});
        table.setDirectory(dir.path());
        table.open();
        for (int i = 0; i < 3; ++i) {
            table.append();
            table.field(0).setAsString(u"rij"_s + QString::number(i));
            table.field(1).setAsInteger(i - 1);
            table.field(2).setAsFloat(i * 2.5 - 1);
            table.field(4).setAsBoolean(i == 1);
            table.field(6).setAsFloat(i * 1.125);
            table.post();
        }
    }
    files.push_back(readFile(binary));
    return files;
}

void mutate(QByteArray& b, std::mt19937& random)
{
    const auto pick = [&](int n) { return n <= 0 ? 0 : static_cast<int>(random() % unsigned(n)); };
    const int header = b.size() >= 12 ? std::min<int>(le16(b, 8), b.size()) : b.size();
    switch (pick(9)) {
    case 0: // a byte of the header or a field description
        if (header > 0)
            b[pick(header)] = static_cast<char>(random());
        break;
    case 1: // a byte anywhere
        if (!b.isEmpty())
            b[pick(b.size())] = static_cast<char>(random());
        break;
    case 2: { // a count or length a little off, or anything
        const int offset = std::array{4, 8, 10}[pick(3)];
        if (b.size() < offset + 4)
            break;
        const int delta = std::array{-1, 1, 2, -333, 1000, 65535}[pick(6)];
        if (offset == 4)
            putLe32(b, 4, le32(b, 4) + static_cast<quint32>(delta));
        else
            putLe16(b, offset, static_cast<quint16>(le16(b, offset) + delta));
        break;
    }
    case 3: // a type, width or decimals byte of a field description
        if (b.size() > 40) {
            const bool level7 = (b[0] & 7) == 4;
            const int field = pick(8);
            const int at = (level7 ? 68 + 48 * field + 32 : 32 + 32 * field + 11) +
                           std::array{0, level7 ? 1 : 5, level7 ? 2 : 6}[pick(3)];
            if (at < b.size())
                b[at] =
                    std::array{'I', 'O', '@', 'D', 'L', 'N', 'C', '\0', '\x07', '\xFF'}[pick(10)];
        }
        break;
    case 4:
        b.truncate(pick(b.size() + 1));
        break;
    case 5:
        b += QByteArray(pick(700), std::array{' ', '\0', '\x1A', '*'}[pick(4)]);
        break;
    case 6:
        b.insert(pick(b.size() + 1), static_cast<char>(random()));
        break;
    case 7:
        if (!b.isEmpty())
            b.remove(pick(b.size()), 1 + pick(4));
        break;
    default: // the code page or the index flags
        if (b.size() > 32)
            b[std::array{28, 29, 29}[pick(3)]] = static_cast<char>(random());
        break;
    }
}

// The live records the file holds from its header on, as far as `rows` goes.
::testing::AssertionResult storedAsInFile(const QByteArray& bytes,
                                          const std::vector<QByteArray>& rows)
{
    if (rows.empty())
        return ::testing::AssertionSuccess();
    const int header = le16(bytes, 8), length = le16(bytes, 10);
    std::size_t next = 0;
    for (qint64 at = header; next < rows.size() && at + length <= bytes.size(); at += length) {
        const QByteArray record = bytes.mid(at, length);
        if (record[0] == '*')
            continue;
        if (record != rows[next])
            return ::testing::AssertionFailure() << "row " << next << " is not the file's";
        ++next;
    }
    if (next < rows.size())
        return ::testing::AssertionFailure() << "rows past the file's end";
    return ::testing::AssertionSuccess();
}

TEST(DbfFuzz, mutatedTablesGiveAClearErrorOrTheRowsAsStored)
{
    const int cases = qEnvironmentVariableIsSet("KOLVARO_FUZZ_CASES")
                          ? qEnvironmentVariableIntValue("KOLVARO_FUZZ_CASES")
                          : 400;
    const int firstSeed = qEnvironmentVariableIntValue("KOLVARO_FUZZ_SEED");
    const std::vector<QByteArray> originals = seeds();
    int opened = 0, refused = 0, written = 0;
    for (int i = 0; i < cases; ++i) {
        const int seed = firstSeed + i;
        SCOPED_TRACE("KOLVARO_FUZZ_SEED=" + std::to_string(seed) + " KOLVARO_FUZZ_CASES=1");
        std::mt19937 random(static_cast<unsigned>(seed));
        QByteArray bytes = originals[static_cast<std::size_t>(seed) % originals.size()];
        for (int m = 1 + static_cast<int>(random() % 3); m > 0; --m)
            mutate(bytes, random);
        QTemporaryDir dir;
        const QString path = dir.filePath(kFile);
        writeFile(path, bytes);

        Table table;
        table.setDefinition({kFile, {}, {}, {}, {}});
        table.setDirectory(dir.path());
        table.setReadOnly(true);
        std::vector<QByteArray> rows;
        try {
            table.open();
            rows = dbforacle::rowsByPosition(table);
            table.close();
        } catch (const EngineError& error) {
            EXPECT_TRUE(error.text().contains(path)) << error.text().toStdString();
            EXPECT_EQ(readFile(path), bytes);
            ++refused;
            continue;
        }
        ++opened;
        ASSERT_TRUE(storedAsInFile(bytes, rows));
        ASSERT_EQ(readFile(path), bytes) << "reading wrote to the file";

        // The engine's own row goes after them, and everything reads back.
        table.setReadOnly(false);
        table.open();
        try {
            dbforacle::appendEngineRow(table);
        } catch (const EngineError& error) {
            table.cancel();
            table.close();
            EXPECT_TRUE(error.text().contains(path)) << error.text().toStdString();
            continue;
        }
        ++written;
        rows.push_back(dbforacle::rowsByPosition(table).back());
        table.close();
        table.setReadOnly(true);
        table.open();
        ASSERT_EQ(dbforacle::rowsByPosition(table), rows);
        ASSERT_TRUE(table.warnings().isEmpty() ||
                    table.warnings().join(u' ').contains(u"code page"_s))
            << table.warnings().join(u'\n').toStdString();
    }
    std::cout << "fuzz: " << cases << " cases, " << opened << " opened (" << written
              << " written and read back), " << refused << " refused\n";
}

} // namespace
