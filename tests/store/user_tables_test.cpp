// Tables a user brings: other names, code pages and field kinds; damaged files; odd folders.
#include "store/dbase/dbf_file.h"
#include "store/dbase/engine_error.h"
#include "store/dbase/table.h"
#include "store/table_definitions.h"
#include "store/table_names.h"
#include "tests/store/engine_test_support.h"
#include "tests/store/mutaties_rows.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

using namespace enginetest;
using dbase::EngineError;
using dbase::FieldDef;
using dbase::Table;
namespace names = store::names;

const QString kFile = u"mutaties.DBF"_s;
constexpr int kRecord = 333;

const Mutatie kAlbert{QDate(2024, 3, 5), 4, u"BUURTWINKELS"_s, u"pin"_s, u"1234"_s, -23.5};
const Mutatie kCafe{QDate(2023, 12, 31), 7,     u"Caf\u00e9 No\u00ebl"_s, u"Overboeking"_s,
                    u"NL01BANK"_s,       1250.0};

// A level-3 mutaties file with the two rows above, the second's name as `cafeBytes`.
QByteArray level3(quint8 ldid = 0x57, const QByteArray& cafeBytes = "Caf\xe9 No\xebl")
{
    const auto fields = mutatiesLevel3Fields();
    return rawTable(
        fields,
        {rawRecord(fields, {"20240305", "4", "BUURTWINKELS", "pin", "1234", "-23.50"}),
         rawRecord(fields, {"20231231", "7", cafeBytes, "Overboeking", "NL01BANK", "1250.00"})},
        true, 0x03, ldid);
}

// Opens mutaties in `folder`: the error's text, or empty when it opened (then closed again).
QString openError(const QString& folder, bool readOnly = false)
{
    Table table;
    table.setDefinition(store::mutatiesDefinition());
    table.setDirectory(folder);
    table.setReadOnly(readOnly);
    try {
        table.open();
    } catch (const EngineError& error) {
        EXPECT_FALSE(table.isOpen());
        return error.text();
    }
    return {};
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

TEST(UserTables, aTableIsFoundWhateverTheCaseOfItsNameAndNeverMadeTwice)
{
    const std::vector<QStringList> cases = {
        {u"MUTATIES.DBF"_s}, {u"Mutaties.dbf"_s}, {u"MUTATIES.DBF"_s, u"mutaties.DBF"_s}};
    for (const QStringList& present : cases) {
        SCOPED_TRACE(present.join(u' ').toStdString());
        QTemporaryDir dir;
        for (const QString& name : present)
            writeFile(dir.filePath(name), level3());
        if (present.size() > 1) {
            const QString error = openError(dir.path());
            for (const QString& name : present)
                EXPECT_TRUE(error.contains(name)) << error.toStdString();
        } else {
            auto table = openMutaties(dir.path());
            EXPECT_EQ(table->filePath(), dir.filePath(present[0]));
            EXPECT_EQ(readAll(*table), (std::vector<Mutatie>{kAlbert, kCafe}));
            addMutatie(*table, kAlbert);
            table->close();
            EXPECT_EQ(le32(readFile(dir.filePath(present[0])), 4), 3u);
        }
        // The first write added the balances and kept the table as it was under its own name.
        QStringList want = present;
        if (present.size() == 1) {
            const QString backup = QFileInfo(present[0]).completeBaseName() + u".BAK"_s;
            EXPECT_EQ(readFile(dir.filePath(backup)), level3());
            want.prepend(backup);
        }
        EXPECT_EQ(entries(dir.path()), want) << "no second table beside the first";
    }
}

TEST(UserTables, textsAreReadAndWrittenInTheTablesCodePage)
{
    struct Case
    {
        quint8 ldid;
        QByteArray cafe; // "Café Noël" as the table holds it
        QByteArray zoe;  // "Zoë" as the engine must store it; empty: not writable
    };
    const Case cases[] = {
        {0x02, "Caf\x82 No\x89l", "Zo\x89"}, {0x37, "Caf\x82 No\x89l", "Zo\x89"},
        {0x01, "Caf\x82 No\x89l", "Zo\x89"}, {0x57, "Caf\xe9 No\xebl", "Zo\xeb"},
        {0x03, "Caf\xe9 No\xebl", "Zo\xeb"}, {0x00, "Caf\xe9 No\xebl", "Zo\xeb"},
        {0x64, "Caf\xe9 No\xebl", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("LDID " + std::to_string(c.ldid));
        QTemporaryDir dir;
        const QString path = dir.filePath(kFile);
        const QByteArray original = level3(c.ldid, c.cafe);
        writeFile(path, original);
        auto table = openMutaties(dir.path(), names::kIndexNaam);
        EXPECT_EQ(readAll(*table), (std::vector<Mutatie>{kAlbert, kCafe}));
        if (c.zoe.isEmpty()) {
            ASSERT_EQ(table->warnings().size(), 1);
            EXPECT_TRUE(table->warnings()[0].contains(u"0x64"_s));
            EXPECT_THROW(addMutatie(*table, kAlbert), EngineError);
            table->first();
            EXPECT_THROW(table->edit(), EngineError);
            table->close();
            EXPECT_EQ(readFile(path), original);
            continue;
        }
        EXPECT_TRUE(table->warnings().isEmpty());
        addMutatie(*table, {QDate(2025, 1, 1), 3, u"Zo\u00eb"_s, {}, {}, 1.0});
        table->findNearest(u"Zo\u00eb"_s);
        EXPECT_EQ(table->fieldByName(names::kNaam).asString(), u"Zo\u00eb"_s);
        table->close();
        const QByteArray bytes = readFile(path);
        EXPECT_EQ(bytes.mid(le16(bytes, 8) + 2 * le16(bytes, 10) + 13, 4), c.zoe + ' ');
    }
}

TEST(UserTables, amountFieldsWithoutRoomForCentsRefuseWhatTheyWouldRound)
{
    const double values[] = {-0.01, 1234567.89, 12.0, 0.5};
    struct Case
    {
        FieldDef bedrag;
        std::vector<bool> holds; // per value
    };
    const Case cases[] = {
        {{u"BEDRAG"_s, 'N', 15, 2, 0}, {true, true, true, true}},
        {{u"BEDRAG"_s, 'N', 15, 1, 0}, {false, false, true, true}},
        {{u"BEDRAG"_s, 'N', 15, 0, 0}, {false, false, true, false}},
        {{u"BEDRAG"_s, 'I', 4, 0, 0}, {false, false, true, false}},
        {{u"BEDRAG"_s, 'O', 8, 0, 0}, {true, true, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.bedrag.type) + std::to_string(c.bedrag.decimals));
        dbase::TableDefinition definition;
        definition.fileName = u"proef.DBF"_s;
        definition.fields = {{u"NAAM"_s, 'C', 10, 0, 0}, c.bedrag};
        auto table = Table::createInMemory(definition, {});
        for (std::size_t i = 0; i < std::size(values); ++i) {
            table->append();
            dbase::Field bedrag = table->fieldByName(u"bedrag"_s);
            if (c.holds[i]) {
                bedrag.setAsFloat(values[i]);
                table->post();
                EXPECT_EQ(bedrag.asFloat(), values[i]);
                continue;
            }
            try {
                bedrag.setAsFloat(values[i]);
                ADD_FAILURE() << "stored " << values[i] << " as " << bedrag.asFloat();
            } catch (const EngineError& error) {
                EXPECT_EQ(error.text(), u"Field 'BEDRAG' cannot hold the value %1"_s.arg(
                                            QString::number(values[i], 'f', 2)));
            }
            table->cancel();
        }
    }
}

// A level-7 table with a field of every binary kind, written by the engine.
QByteArray level7WithBinaryFields(const QString& path)
{
    dbase::DbfFile::create(path, {{u"NAAM"_s, 'C', 10, 0, 0},
                                  {u"AANTAL"_s, 'I', 4, 0, 0},
                                  {u"BEDRAG"_s, 'O', 8, 0, 0},
                                  {u"STEMPEL"_s, '@', 8, 0, 0},
                                  {u"DATUM"_s, 'D', 8, 0, 0},
                                  {u"OK"_s, 'L', 1, 0, 0}});
    return readFile(path);
}

TEST(UserTables, damagedFieldListsAndRowsAreRefusedNamingTheFile)
{
    QTemporaryDir scratch;
    const QByteArray binary = level7WithBinaryFields(scratch.filePath(u"b.DBF"_s));
    const QByteArray good = level3();
    const int level3Types = 32 + 11;
    const auto level7Width = [&](int field, int width) {
        QByteArray b = binary;
        b[68 + 48 * field + 33] = static_cast<char>(width);
        putLe16(b, 10,
                static_cast<quint16>(le16(b, 10) + width -
                                     static_cast<quint8>(binary[68 + 48 * field + 33])));
        return b;
    };
    const auto level3Patch = [&](int offset, QByteArray bytes) {
        QByteArray b = good;
        b.replace(offset, bytes.size(), bytes);
        return b;
    };
    QByteArray dateWidth = level3Patch(32 + 16, "\x06");
    putLe16(dateWidth, 10, kRecord - 2);
    QByteArray longHeader = good, shortHeader = good;
    putLe16(longHeader, 8, 32 + 6 * 32 + 2);
    putLe16(shortHeader, 8, 32 + 6 * 32);
    const std::pair<const char*, QByteArray> cases[] = {
        {"O of width 7", level7Width(2, 7)},
        {"I of width 2", level7Width(1, 2)},
        {"@ of width 4", level7Width(3, 4)},
        {"D of width 6", dateWidth},
        {"N with more decimals than width", level3Patch(32 + 5 * 32 + 17, "\x0F")},
        {"binary kind in a level-3 table", level3Patch(level3Types + 32, "I")},
        {"L of width 15", level3Patch(32 + 4 * 32 + 11, "L")},
        {"field list without end marker", level3Patch(32 + 6 * 32, "X")},
        {"field without name", level3Patch(32, QByteArray(11, '\0'))},
        {"header a byte long", longHeader},
        {"header a byte short", shortHeader},
        {"row 2 without deletion flag", level3Patch(32 + 6 * 32 + 1 + kRecord, "X")},
    };
    for (const auto& [label, bytes] : cases) {
        SCOPED_TRACE(label);
        QTemporaryDir dir;
        const QString path = dir.filePath(kFile);
        writeFile(path, bytes);
        const QString error = openError(dir.path());
        EXPECT_TRUE(error.contains(u"damaged"_s) && error.contains(path)) << error.toStdString();
        EXPECT_EQ(readFile(path), bytes) << "the file stays as it was";
    }
}

TEST(UserTables, openingWritesNothingAndSaysWhatDamageCost)
{
    struct Case
    {
        const char* label;
        std::function<void(QByteArray&, int header)> damage;
        int rows;
        QString warning;
    };
    const Case cases[] = {
        {"sound", [](QByteArray&, int) {}, 2, {}},
        {"count a row short (crash before the count)",
         [](QByteArray& b, int) { putLe32(b, 4, 1); },
         2,
         {}},
        {"stale bytes after the end marker", [](QByteArray& b, int) { b += "oud oud"; }, 2, {}},
        {"cut after the first row",
         [](QByteArray& b, int header) { b.truncate(header + kRecord + 100); }, 1,
         u"counts 2 rows, but the file holds only 1; the other 1 are lost"_s},
        {"padded with blanks",
         [](QByteArray& b, int) {
             b.chop(1);
             b += QByteArray(2 * kRecord + 5, ' ');
         },
         2, u"bytes after its last row are no rows and were ignored"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QTemporaryDir dir;
        const QString path = dir.filePath(kFile);
        QByteArray bytes = level3();
        c.damage(bytes, le16(bytes, 8));
        writeFile(path, bytes);
        for (bool readOnly : {true, false}) {
            Table table;
            table.setDefinition(store::mutatiesDefinition());
            table.setDirectory(dir.path());
            table.setReadOnly(readOnly);
            table.open();
            EXPECT_EQ(table.recordCount(), c.rows);
            ASSERT_EQ(table.warnings().size(), c.warning.isEmpty() ? 0 : 1);
            if (!c.warning.isEmpty()) {
                EXPECT_TRUE(table.warnings()[0].contains(c.warning) &&
                            table.warnings()[0].contains(path))
                    << table.warnings()[0].toStdString();
            }
            if (readOnly) {
                EXPECT_EQ(entries(dir.path()), QStringList{kFile}) << "not even a lock file";
                EXPECT_THROW(table.append(), EngineError);
            }
            table.close();
            EXPECT_EQ(readFile(path), bytes) << "read-only " << readOnly;
        }
    }
}

TEST(UserTables, theFirstWriteClearsIndexFlagsAndNewRowsHoldEachKindsEmptyValue)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"proef.DBF"_s);
    QByteArray bytes = level7WithBinaryFields(path);
    bytes[28] = 1;
    for (int field = 0; field < 6; ++field)
        bytes[68 + 48 * field + 37] = 1;
    writeFile(path, bytes);
    dbase::TableDefinition definition;
    definition.fileName = u"proef.DBF"_s;
    Table table;
    table.setDefinition(definition);
    table.setDirectory(dir.path());
    table.open();
    table.close();
    EXPECT_EQ(readFile(path), bytes) << "opening alone changes nothing";

    table.open();
    table.append();
    table.fieldByName(u"NAAM"_s).setAsString(u"nieuw"_s);
    table.post();
    table.close();
    const QByteArray after = readFile(path);
    EXPECT_EQ(after.at(28), 0);
    for (int field = 0; field < 6; ++field)
        EXPECT_EQ(after.at(68 + 48 * field + 37), 0) << field;
    const QByteArray row = after.mid(le16(after, 8), le16(after, 10));
    EXPECT_EQ(row, " nieuw     " + QByteArray(20, '\0') + QByteArray(9, ' '));

    // An edit alone clears them too.
    QByteArray flagged = level3();
    flagged[28] = 1;
    flagged[32 + 31] = 1;
    writeFile(dir.filePath(kFile), flagged);
    auto mutaties = openMutaties(dir.path());
    mutaties->first();
    mutaties->edit();
    mutaties->fieldByName(names::kSoort).setAsInteger(6);
    mutaties->post();
    mutaties->close();
    const QByteArray edited = readFile(dir.filePath(kFile));
    EXPECT_EQ(edited.at(28), 0);
    EXPECT_EQ(edited.at(32 + 31), 0);
}

TEST(UserTables, oddFoldersAndSpecialFilesAreRefusedWithoutCreatingAnything)
{
    QTemporaryDir dir;
    const QString fifoFolder = dir.filePath(u"fifo"_s);
    QDir().mkpath(fifoFolder);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifoFolder + u'/' + kFile).constData(), 0600), 0);
    const QString dirFolder = dir.filePath(u"map"_s);
    QDir().mkpath(dirFolder + u'/' + kFile);
    const QString missing = dir.filePath(u"ontbreekt"_s);
    struct Case
    {
        QString folder;
        bool readOnly;
        QString error;
    };
    const Case cases[] = {
        {u" "_s, false, u"No tables folder is set"_s},
        {u"c:\\KOLVARO"_s, false, u"is a Windows path"_s},
        {u"C:/KOLVARO"_s, true, u"is a Windows path"_s},
        {fifoFolder, false, u"is not a regular file"_s},
        {fifoFolder, true, u"is not a regular file"_s},
        {dirFolder, false, u"is not a regular file"_s},
        {missing, true, u"Table does not exist: "_s + missing},
    };
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        const QString error = openError(c.folder, c.readOnly);
        EXPECT_TRUE(error.contains(c.error)) << error.toStdString();
    }
    QDir::setCurrent(working);
    EXPECT_EQ(entries(dir.path()), (QStringList{u"fifo"_s, u"map"_s}));
}

TEST(UserTables, aTableThatCannotBeWrittenWholeIsNotCreatedAtAll)
{
    QTemporaryDir dir;
    // A file-size limit stands in for a full disk: every write past it fails.
    const std::string result = runInChild([&]() -> std::string {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{200, 200};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return "setrlimit failed";
        Table table;
        table.setDefinition(store::bedrijvenDefinition());
        table.setDirectory(dir.path());
        try {
            table.open();
        } catch (const EngineError& error) {
            return error.text().contains(u"Cannot create table"_s) ? "" : error.what();
        }
        return "created";
    });
    EXPECT_EQ(result, "");
    EXPECT_EQ(entries(dir.path()), QStringList()) << "no empty table, no temporary file";
    Table table;
    table.setDefinition(store::bedrijvenDefinition());
    table.setDirectory(dir.path());
    EXPECT_NO_THROW(table.open()) << "once there is room";
}

} // namespace
