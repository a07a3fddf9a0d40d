// The engine's files: what it creates, what it reads, how it repairs and refuses.
#include "store/dbase/cp1252.h"
#include "store/dbase/engine_error.h"
#include "store/dbase/table.h"
#include "store/table_definitions.h"
#include "store/table_names.h"
#include "tests/store/engine_test_support.h"
#include "tests/store/mutaties_rows.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using namespace enginetest;
using dbase::EngineError;
using dbase::Table;
namespace names = store::names;

const QString kFile = u"mutaties.DBF"_s;
constexpr int kRecordLength = 363; // of mutaties as the engine creates it

// Opens mutaties in `folder`, which must fail: the engine's text, or empty when it opened.
QString refusalOf(const QString& folder)
{
    Table table;
    table.setDefinition(store::mutatiesDefinition());
    table.setDirectory(folder);
    try {
        table.open();
    } catch (const EngineError& error) {
        EXPECT_FALSE(table.isOpen());
        return error.text();
    }
    return {};
}

const std::vector<Mutatie>& sampleRows()
{
    static const std::vector<Mutatie> rows = {
        {QDate(2024, 3, 5), 4, u"BUURTWINKELS"_s, u"Betaalautomaat"_s, u"1234"_s, -23.5},
        {QDate(2023, 12, 31), 7, u"Caf\u00e9 No\u00ebl"_s, u"Overboeking \u20ac 5"_s, u"NL01BANK"_s,
         1250.0},
        {QDate(2024, 1, 15), 3, u"Bakker"_s, QString(), QString(), 0.05},
    };
    return rows;
}

// The first record of sampleRows() as its bytes must be.
QByteArray firstSampleRecord()
{
    return rawRecord(mutatiesLevel3Fields(),
                     {"20240305", "4", "BUURTWINKELS", "Betaalautomaat", "1234", "-23.50"});
}

// sampleRows() written by the engine into `dir`; returns the file's path.
QString engineFile(const QTemporaryDir& dir)
{
    auto table = openMutaties(dir.path());
    for (const Mutatie& row : sampleRows())
        addMutatie(*table, row);
    table->close();
    return dir.filePath(kFile);
}

// A level-3 mutaties file with a live, a deleted and a live row.
QByteArray level3File(bool endMarker = true, quint8 ldid = 0x57)
{
    const auto fields = mutatiesLevel3Fields();
    return rawTable(
        fields,
        {rawRecord(fields, {"20240305", "4", "BUURTWINKELS", "Betaalautomaat", "1234", "-23.50"}),
         rawRecord(fields, {"20240101", "3", "WEG", "", "", "1.00"}, '*'),
         rawRecord(fields, {"20231231", "7", "Caf\xe9 No\xebl", "Overboeking \x80 5", "NL01BANK",
                            "1250.00"})},
        endMarker, 0x03, ldid);
}

// The level-7 descriptors of a file as "NAME:TYPE:WIDTH:DECIMALS|...", names as stored.
QString descriptors(const QByteArray& bytes, int count)
{
    QStringList fields;
    for (int i = 0; i < count; ++i) {
        const QByteArray d = bytes.mid(68 + 48 * i, 48);
        fields << u"%1:%2:%3:%4"_s.arg(QString::fromLatin1(d.left(32).replace('\0', QByteArray())))
                      .arg(QLatin1Char(d.at(32)))
                      .arg(static_cast<quint8>(d.at(33)))
                      .arg(static_cast<quint8>(d.at(34)));
    }
    return fields.join(u'|');
}

TEST(DbfCreate, newTablesAreLevel7WithTheDefinedFieldsAndNoProductionIndexFlag)
{
    QString months;
    for (const QString& month : names::kMonths)
        months += month + u":N:15:2|"_s;
    const std::tuple<const dbase::TableDefinition*, QString, int> cases[] = {
        {&store::mutatiesDefinition(),
         u"datum:D:8:0|Soort:N:4:0|Naam:C:40:0|Omschrijving:C:250:0|reknum:C:15:0|Bedrag:N:15:2|"
         u"SaldoVoor:N:15:2|SaldoNa:N:15:2"_s,
         363},
        {&store::bedrijvenDefinition(),
         u"jaar:C:4:0|Naam:C:40:0|banknr:C:15:0|"_s + months + u"select:L:1:0"_s, 241}};
    for (const auto& [definition, expected, recordLength] : cases) {
        SCOPED_TRACE(definition->fileName.toStdString());
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"nieuw/map"_s);
        Table table;
        table.setDefinition(*definition);
        table.setDirectory(folder);
        table.open();
        table.close();

        const QByteArray bytes = readFile(QDir(folder).filePath(definition->fileName));
        const int count = static_cast<int>(expected.count(u'|')) + 1;
        const int headerLength = 68 + 48 * count + 1;
        ASSERT_EQ(bytes.size(), headerLength + 1);
        EXPECT_EQ(bytes.at(0), 0x04);
        EXPECT_EQ(static_cast<quint8>(bytes.at(1)), QDate::currentDate().year() - 1900);
        EXPECT_EQ(le32(bytes, 4), 0u);
        EXPECT_EQ(le16(bytes, 8), headerLength);
        EXPECT_EQ(le16(bytes, 10), recordLength);
        EXPECT_EQ(bytes.at(28), 0) << "production-index flag";
        EXPECT_EQ(static_cast<quint8>(bytes.at(29)), 0x57);
        EXPECT_EQ(bytes.mid(32, 9), QByteArray("DBWINUS0\0", 9));
        EXPECT_EQ(descriptors(bytes, count), expected);
        EXPECT_EQ(bytes.at(headerLength - 1), 0x0D);
        EXPECT_EQ(bytes.at(headerLength), 0x1A);
    }
}

TEST(DbfRows, rowsAreStoredAsDbaseTextAndReadBackInIndexOrder)
{
    QTemporaryDir dir;
    const QByteArray bytes = readFile(engineFile(dir));
    const int headerLength = le16(bytes, 8);
    ASSERT_EQ(le32(bytes, 4), 3u);
    ASSERT_EQ(bytes.size(), headerLength + 3 * kRecordLength + 1);
    EXPECT_EQ(bytes.mid(headerLength, kRecordLength), firstSampleRecord() + QByteArray(30, ' '))
        << "balances empty";
    EXPECT_TRUE(bytes.contains("Caf\xe9 No\xebl")) << "Windows-1252 text";
    EXPECT_TRUE(bytes.contains("Overboeking \x80 5"));
    EXPECT_EQ(bytes.back(), 0x1A);

    auto table = openMutaties(dir.path(), names::kIndexDatum);
    const std::vector<Mutatie> expected = {sampleRows()[1], sampleRows()[2], sampleRows()[0]};
    EXPECT_EQ(readAll(*table), expected);
}

TEST(DbfRows, everyPostedRowReachesTheFileBeforeClose)
{
    QTemporaryDir dir;
    auto table = openMutaties(dir.path(), names::kIndexDatum);
    const QString path = table->filePath();
    addMutatie(*table, sampleRows()[0]);
    QByteArray bytes = readFile(path);
    const int headerLength = le16(bytes, 8);
    EXPECT_EQ(le32(bytes, 4), 1u);
    EXPECT_EQ(bytes.mid(headerLength, 333), firstSampleRecord());

    table->edit();
    table->fieldByName(names::kNaam).setAsString(u"DAGVS"_s);
    table->post();
    addMutatie(*table, sampleRows()[1]);
    bytes = readFile(path);
    EXPECT_EQ(le32(bytes, 4), 2u);
    EXPECT_EQ(bytes.mid(headerLength + 1 + 8 + 4, 5), QByteArray("DAGVS"));
    EXPECT_TRUE(bytes.contains("Caf\xe9 No\xebl"));
}

TEST(DbfRows, flushAndCloseStoreAPendingRow)
{
    QTemporaryDir dir;
    auto table = openMutaties(dir.path());
    const QString path = table->filePath();
    table->append();
    table->fieldByName(names::kNaam).setAsString(u"eerste"_s);
    table->flush();
    EXPECT_EQ(table->state(), Table::State::Browse);
    EXPECT_EQ(le32(readFile(path), 4), 1u);
    table->append();
    table->fieldByName(names::kNaam).setAsString(u"tweede"_s);
    table->close();
    table->open();
    EXPECT_EQ(walk(*table, names::kNaam), (QStringList{u"eerste"_s, u"tweede"_s}));
}

TEST(DbfRows, heldRewritesReachTheFileAtTheFlushAppendsAtOnce)
{
    QTemporaryDir dir;
    auto table = openMutaties(dir.path());
    const QString path = table->filePath();
    for (const Mutatie& row : sampleRows())
        addMutatie(*table, row);
    const QByteArray before = readFile(path);

    // Rows 0 and 2 rewritten (not neighbours), then a row appended, all while held.
    table->holdWritesUntilFlush();
    for (const int recno : {0, 2}) {
        table->moveTo(recno);
        table->edit();
        table->fieldByName(names::kNaam).setAsString(u"HELD %1"_s.arg(recno));
        table->post();
    }
    addMutatie(*table, sampleRows()[0]);
    const QByteArray during = readFile(path);
    const int headerLength = le16(before, 8);
    EXPECT_EQ(during.mid(headerLength, 3 * 333), before.mid(headerLength, 3 * 333))
        << "a held row reached the file before the flush";
    EXPECT_EQ(le32(during, 4), 4u) << "the append waited";
    table->moveTo(2);
    EXPECT_EQ(table->fieldByName(names::kNaam).asString(), u"HELD 2"_s);

    table->flush();
    table->close();
    table->open();
    EXPECT_EQ(walk(*table, names::kNaam).filter(u"HELD"_s),
              (QStringList{u"HELD 0"_s, u"HELD 2"_s}));
}

TEST(DbfRepair, recordCountThatDisagreesWithTheLengthIsRepairedWithoutLosingRows)
{
    struct Case
    {
        const char* label;
        std::function<void(QByteArray&, int headerLength)> damage;
        int rowsKept;
    };
    const Case cases[] = {
        {"count lags behind (crash before the header update)",
         [](QByteArray& b, int) { putLe32(b, 4, 2); }, 3},
        {"count still zero", [](QByteArray& b, int) { putLe32(b, 4, 0); }, 3},
        {"count ahead of the rows", [](QByteArray& b, int) { putLe32(b, 4, 5); }, 3},
        {"end marker missing", [](QByteArray& b, int) { b.chop(1); }, 3},
        {"last row half written",
         [](QByteArray& b, int headerLength) {
             b.truncate(headerLength + 2 * kRecordLength + 100);
         },
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QTemporaryDir dir;
        const QString path = engineFile(dir);
        QByteArray bytes = readFile(path);
        const int headerLength = le16(bytes, 8);
        c.damage(bytes, headerLength);
        writeFile(path, bytes);

        auto table = openMutaties(dir.path());
        std::vector<Mutatie> expected(sampleRows().begin(), sampleRows().begin() + c.rowsKept);
        EXPECT_EQ(readAll(*table), expected);
        const Mutatie added{QDate(2025, 1, 2), 5, u"NA HERSTEL"_s, {}, {}, 1.25};
        addMutatie(*table, added);
        table->close();

        const QByteArray repaired = readFile(path);
        EXPECT_EQ(le32(repaired, 4), static_cast<quint32>(c.rowsKept + 1));
        EXPECT_EQ(repaired.size(), headerLength + (c.rowsKept + 1) * kRecordLength + 1);
        table->open();
        expected.push_back(added);
        EXPECT_EQ(readAll(*table), expected);
    }
}

TEST(DbfRead, level3FilesSkipDeletedRowsWithOrWithoutEndMarkerAndAnyWindowsLdid)
{
    // Writing back at the level a file has is checked with other writers' files (interop).
    const std::pair<bool, quint8> cases[] = {
        {true, 0x57}, {false, 0x57}, {true, 0x03}, {true, 0x00}};
    for (const auto& [endMarker, ldid] : cases) {
        SCOPED_TRACE("end marker " + std::to_string(endMarker) + ", LDID " + std::to_string(ldid));
        QTemporaryDir dir;
        writeFile(dir.filePath(kFile), level3File(endMarker, ldid));
        auto table = openMutaties(dir.path());
        // "OMSCHRIJVI" is the level-3 name of Omschrijving, cut to ten characters.
        EXPECT_EQ(readAll(*table), (std::vector<Mutatie>{sampleRows()[0], sampleRows()[1]}));
        int asked = 0;
        table->setFilterPredicate([&asked](const dbase::RowView&) { return ++asked > 0; });
        table->setFiltered(true);
        EXPECT_EQ(table->recordCount(), 2) << "a filter lets no deleted row back in";
        EXPECT_EQ(asked, 2);
    }
}

TEST(DbfRead, unknownExtraFieldsAreKeptThroughEditsAndAppends)
{
    std::vector<RawField> fields = mutatiesLevel3Fields();
    fields.insert(fields.begin() + 3, RawField{"EXTRA", 'C', 5});
    QTemporaryDir dir;
    const QString path = dir.filePath(kFile);
    writeFile(path, rawTable(fields, {rawRecord(fields, {"20240305", "4", "OUD", "keep!", "tekst",
                                                         "1234", "-23.50"})}));
    auto table = openMutaties(dir.path());
    EXPECT_EQ(table->fieldCount(), 7);
    table->first();
    EXPECT_EQ(table->fieldByName(names::kOmschrijving).asString(), u"tekst"_s);
    EXPECT_EQ(table->fieldByName(names::kBedrag).asFloat(), -23.5);
    table->edit();
    table->fieldByName(names::kNaam).setAsString(u"NIEUW"_s);
    table->post();
    addMutatie(*table, sampleRows()[2]);
    table->close();

    const QByteArray bytes = readFile(path);
    const int headerLength = le16(bytes, 8);
    const int recordLength = le16(bytes, 10);
    ASSERT_EQ(recordLength, 338 + 30) << "the balances added at the first write";
    ASSERT_EQ(bytes.size(), headerLength + 2 * recordLength + 1);
    const QByteArray first = bytes.mid(headerLength, recordLength);
    EXPECT_EQ(first.mid(13, 5), QByteArray("NIEUW"));
    EXPECT_EQ(first.mid(53, 5), QByteArray("keep!"));
    EXPECT_EQ(bytes.mid(headerLength + recordLength + 53, 5), QByteArray(5, ' '));
}

TEST(DbfRead, aMissingOrMistypedRequiredFieldIsAnErrorNamingFieldAndFile)
{
    struct Case
    {
        const char* label;
        std::function<void(std::vector<RawField>&)> change;
        QString field;
    };
    const Case cases[] = {
        {"reknum missing", [](auto& f) { f.erase(f.begin() + 4); }, names::kReknum},
        {"Bedrag as text",
         [](auto& f) {
             f[5] = {"BEDRAG", 'C', 15};
         },
         names::kBedrag},
        {"datum as text",
         [](auto& f) {
             f[0] = {"DATUM", 'C', 8};
         },
         names::kDatum},
        {"Soort as logical",
         [](auto& f) {
             f[1] = {"SOORT", 'L', 1};
         },
         names::kSoort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<RawField> fields = mutatiesLevel3Fields();
        c.change(fields);
        QTemporaryDir dir;
        const QByteArray original = rawTable(fields, {rawRecord(fields, {})});
        writeFile(dir.filePath(kFile), original);
        const QString error = refusalOf(dir.path());
        EXPECT_FALSE(error.isEmpty()) << "opened";
        EXPECT_TRUE(error.contains(c.field, Qt::CaseInsensitive)) << error.toStdString();
        EXPECT_TRUE(error.contains(kFile, Qt::CaseInsensitive)) << error.toStdString();
        EXPECT_EQ(readFile(dir.filePath(kFile)), original);
    }
}

TEST(DbfRead, damagedFilesAreRefusedWithAnErrorNamingTheFileAndLeftAlone)
{
    const QByteArray good = level3File();
    const int firstType = 32 + 11;
    struct Case
    {
        const char* label;
        QByteArray bytes;
    };
    QByteArray longHeader = good;
    putLe16(longHeader, 8, 60000);
    QByteArray unknownType = good;
    unknownType[firstType + 2 * 32] = 'X';
    QByteArray wrongLength = good;
    putLe16(wrongLength, 10, 336);
    QTemporaryDir level7Dir;
    const QByteArray level7 = readFile(engineFile(level7Dir));
    const Case cases[] = {
        {"shorter than a header", good.left(20)},
        {"cut inside the field descriptors", good.left(100)},
        {"level-7 header cut short", level7.left(200)},
        {"header length beyond the file", longHeader},
        {"unknown field type", unknownType},
        {"record length not matching the fields", wrongLength},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QTemporaryDir dir;
        writeFile(dir.filePath(kFile), c.bytes);
        const QString error = refusalOf(dir.path());
        EXPECT_FALSE(error.isEmpty()) << "opened";
        EXPECT_TRUE(error.contains(kFile, Qt::CaseInsensitive)) << error.toStdString();
        EXPECT_EQ(readFile(dir.filePath(kFile)), c.bytes) << "the file stays as it was";
    }
}

TEST(DbfIndexFile, anExistingMdxIsNeitherReadNorChanged)
{
    QTemporaryDir dir;
    QByteArray dbf = level3File();
    dbf[28] = 1; // says a production index exists
    writeFile(dir.filePath(kFile), dbf);
    QByteArray garbage(4096, '\xAB');
    garbage.replace(4, 8, "MUTATIES");
    const QStringList mdxNames = {u"mutaties.MDX"_s, u"MUTATIES.MDX"_s};
    for (const QString& name : mdxNames)
        writeFile(dir.filePath(name), garbage);

    auto table = openMutaties(dir.path(), names::kIndexDatum);
    EXPECT_EQ(table->recordCount(), 2);
    addMutatie(*table, sampleRows()[2]);
    table->first();
    table->edit();
    table->fieldByName(names::kSoort).setAsInteger(6);
    table->post();
    table->close();
    table->setExclusive(true);
    table->open();
    table->emptyTable();
    table->close();
    for (const QString& name : mdxNames)
        EXPECT_EQ(readFile(dir.filePath(name)), garbage) << name.toStdString();
}

TEST(DbfEmpty, emptyTableNeedsAnOpenExclusiveTableAndTruncatesToTheHeader)
{
    QTemporaryDir dir;
    const QString path = engineFile(dir);
    const int headerLength = le16(readFile(path), 8);
    auto table = openMutaties(dir.path(), names::kIndexDatum);
    EXPECT_THROW(table->emptyTable(), EngineError) << "shared";
    EXPECT_THROW(table->setExclusive(true), EngineError) << "while open";
    EXPECT_EQ(table->recordCount(), 3);
    table->close();
    EXPECT_THROW(table->emptyTable(), EngineError) << "closed";

    table->setExclusive(true);
    table->open();
    table->emptyTable();
    EXPECT_EQ(table->recordCount(), 0);
    table->first();
    EXPECT_TRUE(table->eof());
    const QByteArray bytes = readFile(path);
    EXPECT_EQ(le32(bytes, 4), 0u);
    EXPECT_LE(bytes.size(), headerLength + 1);
    EXPECT_GE(bytes.size(), headerLength);
    EXPECT_NO_THROW(table->emptyTable()) << "an empty table empties again";

    addMutatie(*table, sampleRows()[1]);
    table->findNearest(QDate(2000, 1, 1));
    EXPECT_EQ(table->fieldByName(names::kNaam).asString(), sampleRows()[1].naam);
    table->close();
    table->setExclusive(false);
    table->open();
    EXPECT_EQ(readAll(*table), std::vector<Mutatie>{sampleRows()[1]});
}

TEST(DbfPack, packWritesTheLiveRowsAnewAtTheFilesLevelAndKeepsTheTableItsWritersOwn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(kFile);
    writeFile(path, level3File());
    auto table = openMutaties(dir.path(), names::kIndexDatum);
    table->pack();
    // The hand-written deleted row is gone; header and level stay as the file had them, with
    // the balances its first write added.
    auto fields = mutatiesLevel3Fields();
    fields.push_back({"SaldoVoor", 'N', 15, 2});
    fields.push_back({"SaldoNa", 'N', 15, 2});
    QByteArray want = rawTable(
        fields, {rawRecord(fields, {"20240305", "4", "BUURTWINKELS", "Betaalautomaat", "1234",
                                    "-23.50", "", ""}),
                 rawRecord(fields, {"20231231", "7", "Caf\xe9 No\xebl", "Overboeking \x80 5",
                                    "NL01BANK", "1250.00", "", ""})});
    QByteArray got = readFile(path);
    ASSERT_EQ(got.size(), want.size());
    got.replace(1, 3, want.mid(1, 3)); // the update date is today's
    EXPECT_EQ(got, want);

    // Rows deleted through the engine go at the next pack; the cursor and the writer's lock
    // stay usable.
    table->first(); // 2023-12-31 in date order
    table->deleteRow();
    addMutatie(*table, sampleRows()[2]);
    table->pack();
    EXPECT_EQ(table->recordCount(), 2);
    EXPECT_EQ(le32(readFile(path), 4), 2u);
    EXPECT_TRUE(refusalOf(dir.path()).contains(u"in use by another program"_s));
    addMutatie(*table, sampleRows()[1]);
    table->close();
    table = openMutaties(dir.path());
    EXPECT_EQ(readAll(*table),
              (std::vector<Mutatie>{sampleRows()[0], sampleRows()[2], sampleRows()[1]}));
    EXPECT_TRUE(QDir(dir.path()).entryList({u".*.tmp"_s}, QDir::Hidden | QDir::Files).isEmpty());
}

} // namespace

TEST(DbfUpgrade, theFirstWriteAddsTheBalancesEmptyAndKeepsTheOldFileAsABackup)
{
    struct Case
    {
        const char* label;
        std::function<void(const QString& folder)> make; // writes the old table
        QString backup;                                  // the name the backup must take
    };
    const auto level7 = [](const QString& folder) {
        Table table;
        table.setDefinition(mutatiesWithoutBalances());
        table.setDirectory(folder);
        table.open();
        for (const Mutatie& row : sampleRows())
            addMutatie(table, row);
    };
    const Case cases[] = {
        {"level 7, as the engine wrote it", level7, u"mutaties.BAK"_s},
        {"level 3, with a deleted row",
         [](const QString& folder) { writeFile(QDir(folder).filePath(kFile), level3File()); },
         u"mutaties.BAK"_s},
        {"a backup of an earlier upgrade stays",
         [&level7](const QString& folder) {
             level7(folder);
             writeFile(QDir(folder).filePath(u"mutaties.BAK"_s), "eerder");
         },
         u"mutaties.2.BAK"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QTemporaryDir dir;
        c.make(dir.path());
        const QString path = dir.filePath(kFile);
        const QByteArray original = readFile(path);
        const QStringList before = QDir(dir.path()).entryList(QDir::Files);

        // Opening and reading write nothing, read-only or not.
        auto table = openMutaties(dir.path(), names::kIndexDatum);
        const std::vector<Mutatie> rows = readAll(*table);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(table->fieldIndex(names::kSaldoVoor), -1);
        table->close();
        table->setReadOnly(true);
        table->open();
        EXPECT_THROW(table->append(), EngineError);
        table->close();
        EXPECT_EQ(readFile(path), original);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);

        table->setReadOnly(false);
        table->open();
        table->last();
        const Mutatie current = currentMutatie(*table);
        table->edit(); // the first write
        EXPECT_EQ(currentMutatie(*table), current) << "the cursor stays on its row";
        table->fieldByName(names::kSaldoVoor).setAsFloat(1000.0);
        table->fieldByName(names::kSaldoNa).setAsFloat(current.bedrag + 1000.0);
        table->post();
        EXPECT_EQ(readFile(dir.filePath(c.backup)), original);
        if (c.backup != u"mutaties.BAK"_s) {
            EXPECT_EQ(readFile(dir.filePath(u"mutaties.BAK"_s)), "eerder");
        }
        table->close();

        table->open();
        EXPECT_EQ(readAll(*table), rows);
        EXPECT_EQ(table->fieldCount(), 8);
        int filled = 0;
        for (table->first(); !table->eof(); table->next()) {
            const bool isNull = table->fieldByName(names::kSaldoVoor).isNull();
            EXPECT_EQ(table->fieldByName(names::kSaldoNa).isNull(), isNull);
            filled += isNull ? 0 : 1;
        }
        EXPECT_EQ(filled, 1) << "old rows have no balances, not zero";
        EXPECT_TRUE(
            QDir(dir.path()).entryList({u".*.tmp"_s}, QDir::Hidden | QDir::Files).isEmpty());
    }
}
