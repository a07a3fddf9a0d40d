// Other dBase engines and our files: Free Pascal's TDbf reads what the engine writes, and the
// engine reads and extends (its first write adding the balances) tables that TDbf (levels 4 and 7)
// and python3-dbf (dBase III) wrote.
#include "store/dbase/cp1252.h"
#include "store/dbase/table.h"
#include "store/table_definitions.h"
#include "store/table_names.h"
#include "tests/store/engine_test_support.h"
#include "tests/store/mutaties_rows.h"
#include "tests/support/relation_year.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using namespace enginetest;
using dbase::Table;
namespace names = store::names;

const QString kSources = QStringLiteral(KOLVARO_INTEROP_SOURCES);
const QString kFile = u"mutaties.DBF"_s;

// Runs a program; on failure `error` says why.
bool run(const QString& program, const QStringList& arguments, QByteArray* output, QString* error)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(180000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *error = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + u" failed: "_s +
                 process.errorString() + QLatin1Char('\n') +
                 QString::fromLocal8Bit(process.readAllStandardOutput() +
                                        process.readAllStandardError());
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return true;
}

// The Pascal helpers, compiled once per test process into a folder of its own.
class Interop : public testing::Test
{
protected:
    static void TearDownTestSuite() { delete s_bin; }

    // The path of the compiled helper `name`; fails the test when it cannot be built.
    static QString pascalTool(const QString& name, QString* error)
    {
        if (!s_bin)
            s_bin = new QTemporaryDir;
        const QString program = s_bin->filePath(name);
        if (QFileInfo::exists(program))
            return program;
        const QString fpc = QStandardPaths::findExecutable(u"fpc"_s);
        if (fpc.isEmpty()) {
            *error =
                QStringLiteral("Free Pascal (fpc) is missing: install the Debian packages "
                               "fp-compiler and fp-units-db, as the README's install step does");
            return {};
        }
        if (!run(fpc,
                 {u"-O1"_s, u"-v0"_s, u"-FE"_s + s_bin->path(), u"-FU"_s + s_bin->path(),
                  kSources + QLatin1Char('/') + name + u".pas"_s},
                 nullptr, error))
            return {};
        return program;
    }

    // TDbf's view of a table: level, fields, rows (see dbf_dump.pas).
    static QStringList dump(const QString& file)
    {
        QString error;
        const QString tool = pascalTool(u"dbf_dump"_s, &error);
        QByteArray output;
        if (tool.isEmpty() || !run(tool, {file}, &output, &error)) {
            ADD_FAILURE() << error.toStdString();
            return {};
        }
        return QString::fromLatin1(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    static QTemporaryDir* s_bin;
};
QTemporaryDir* Interop::s_bin = nullptr;

QString hex(const QString& text)
{
    return QString::fromLatin1(dbase::cp1252::encode(text).toHex().toUpper());
}

// Numbers as dbf_dump prints them: up to four decimals, no trailing zeros.
QString dumpNumber(double value)
{
    QString text = QString::number(value, 'f', 4);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

// A dumped mutaties row, its columns in the order of the level-4/7 writers; extra columns after.
Mutatie parseRow(const QString& line, QString* extra = nullptr)
{
    const QStringList c = line.split(QLatin1Char('|'));
    if (c.size() < 6) {
        ADD_FAILURE() << "short row: " << line.toStdString();
        return {};
    }
    const auto text = [](const QString& h) {
        return dbase::cp1252::decode(QByteArray::fromHex(h.toLatin1()));
    };
    if (extra)
        *extra = c.size() > 6 ? text(c[6]) : QString();
    return {QDate::fromString(c[0], Qt::ISODate),
            c[1].toInt(),
            text(c[2]),
            text(c[3]),
            text(c[4]),
            c[5].toDouble()};
}

TEST_F(Interop, tdbfReadsEveryValueOfALevel7TableWrittenByTheEngine)
{
    QTemporaryDir dir;
    const std::vector<Mutatie> rows = {
        {QDate(2024, 3, 5), 4, u"BUURTWINKELS"_s, u"Betaalautomaat"_s, u"1234"_s, -23.5},
        {QDate(2023, 12, 31), 7, u"Caf\u00e9 No\u00ebl \u2013 \u20ac"_s,
         QString(250, QLatin1Char('o')), u"NL01BANK0123456"_s, 999999999999.99},
        {QDate(1999, 2, 28), 3, u"x"_s, QString(), QString(), -99999999999.99},
        {QDate(2000, 2, 29), 5, u"nul"_s, u"  kop"_s, QString(), 0.05},
    };
    auto table = openMutaties(dir.path());
    for (const Mutatie& row : rows)
        addMutatie(*table, row);
    Table bedrijven;
    bedrijven.setDefinition(store::bedrijvenDefinition());
    bedrijven.setDirectory(dir.path());
    bedrijven.open();
    for (int i = 0; i < 3; ++i) {
        testsupport::RelationYear row{u"Caf\u00e9"_s, QString::number(2022 + i)};
        for (int m = 0; m < i * 6; ++m)
            row.months[m] = m * 100.25 - 300;
        if (i > 0)
            row.select = i == 2;
        testsupport::addRelationYear(bedrijven, row);
    }
    bedrijven.close();

    QStringList expected = {
        u"7"_s, QStringLiteral("datum:D:8:0|Soort:N:4:0|Naam:C:40:0|Omschrijving:C:250:0|"
                               "reknum:C:15:0|Bedrag:N:15:2|SaldoVoor:N:15:2|SaldoNa:N:15:2")};
    for (const Mutatie& row : rows)
        expected << QStringList{row.datum.toString(Qt::ISODate),
                                QString::number(row.soort),
                                hex(row.naam),
                                hex(row.omschrijving),
                                hex(row.reknum),
                                dumpNumber(row.bedrag),
                                QString(),
                                QString()}
                        .join(QLatin1Char('|'));
    // Read while the engine still has the table open: every posted row is in the file.
    QStringList dumped = dump(dir.filePath(kFile));
    table->close();
    if (dumped.size() > 1)
        dumped[1] = dumped[1].toLower(); // TDbf shows field names in upper case
    expected[1] = expected[1].toLower();
    EXPECT_EQ(dumped, expected);

    dumped = dump(dir.filePath(store::bedrijvenDefinition().fileName));
    ASSERT_EQ(dumped.size(), 5);
    EXPECT_EQ(dumped[0], u"7"_s);
    for (int i = 0; i < 3; ++i) {
        QStringList cells = {hex(QString::number(2022 + i)), hex(u"Caf\u00e9"_s), QString()};
        for (int m = 0; m < 12; ++m)
            cells << (m < i * 6 ? dumpNumber(m * 100.25 - 300) : QString());
        cells << (i == 0 ? QString() : i == 2 ? u"T"_s : u"F"_s);
        EXPECT_EQ(dumped[2 + i], cells.join(QLatin1Char('|')));
    }
}

TEST_F(Interop, theEngineReadsAndExtendsTablesOfIndependentWriters)
{
    // What dbf_write.pas and make_dbase3.py put in the table, deleted row left out.
    const std::vector<Mutatie> written = {
        {QDate(2024, 3, 5), 4, u"BUURTWINKELS"_s, u"Betaalautomaat 12:01 pasnr. 001"_s, u"1234"_s,
         -23.5},
        {QDate(2023, 12, 31), 7, u"Caf\u00e9 No\u00ebl"_s, u"Overboeking \u20ac 5"_s, u"NL01BANK"_s,
         1250},
        {QDate(1999, 2, 28), 5, u"Bakker"_s, QString(), QString(), 0.05},
        {QDate(), 0, u"LEEG"_s, QString(), QString(), 0},
        {QDate(2024, 3, 1), 6, u"NEGATIEF"_s, u"groot"_s, QString(), -99999999999.99},
    };
    const QStringList extras = {u"x1"_s, u"x2"_s, u"x4"_s, QString(), u"x6"_s};
    struct Case
    {
        const char* label;
        std::function<bool(const QString& file, QString* error)> make;
        char version;
        std::size_t rows;
    };
    const auto tdbf = [](const char* level) {
        return [level](const QString& file, QString* error) {
            const QString tool = pascalTool(u"dbf_write"_s, error);
            return !tool.isEmpty() && run(tool, {QString::fromLatin1(level), file}, nullptr, error);
        };
    };
    const auto python = [](const QString& file, QString* error) {
        const QString python3 = u"/usr/bin/python3"_s;
        if (!QFileInfo::exists(python3)) {
            *error = u"/usr/bin/python3 with Debian's python3-dbf is missing"_s;
            return false;
        }
        return run(python3, {kSources + u"/make_dbase3.py"_s, file}, nullptr, error);
    };
    const Case cases[] = {
        {"TDbf level 4", tdbf("4"), 0x03, 5},
        {"TDbf level 7", tdbf("7"), 0x04, 5},
        {"python3-dbf dBase III", python, 0x03, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QTemporaryDir dir;
        const QString file = dir.filePath(kFile);
        QString error;
        ASSERT_TRUE(c.make(file, &error)) << error.toStdString();
        const QByteArray before = readFile(file);
        const QStringList dumpedBefore = dump(file);
        ASSERT_FALSE(dumpedBefore.isEmpty());

        auto table = openMutaties(dir.path());
        std::vector<Mutatie> expected(written.begin(), written.begin() + c.rows);
        EXPECT_EQ(readAll(*table), expected);
        table->first();
        table->next();
        table->next();
        table->edit();
        table->fieldByName(names::kSoort).setAsInteger(6);
        table->post();
        const Mutatie added{QDate(2025, 1, 2), 3,       u"NIEUW \u00c9"_s,
                            u"toegevoegd"_s,   u"99"_s, 12.34};
        addMutatie(*table, added);
        table->edit();
        table->fieldByName(names::kSaldoVoor).setAsFloat(-87.66);
        table->fieldByName(names::kSaldoNa).setAsFloat(-75.32);
        table->post();
        table->close();
        expected[2].soort = 6;
        expected.push_back(added);

        // The first write added the balances after the writer's own fields, at the file's own
        // level, and kept the file as it was beside it.
        EXPECT_EQ(readFile(dir.filePath(u"mutaties.BAK"_s)), before);
        const QByteArray after = readFile(file);
        EXPECT_EQ(after.at(0), c.version) << "written back at its own level";
        const int headerLength = le16(before, 8);
        const int descriptor = c.version == 0x04 ? 48 : 32;
        EXPECT_EQ(le16(after, 8), headerLength + 2 * descriptor);
        EXPECT_EQ(le16(after, 10), le16(before, 10) + 30);
        EXPECT_EQ(after.mid(32, headerLength - 33), before.mid(32, headerLength - 33));

        const QStringList dumpedAfter = dump(file);
        ASSERT_EQ(dumpedAfter.size(), static_cast<int>(expected.size()) + 2);
        EXPECT_EQ(dumpedAfter[0], dumpedBefore[0]) << "level";
        EXPECT_TRUE(dumpedAfter[1].startsWith(dumpedBefore[1] + u'|'));
        EXPECT_TRUE(
            dumpedAfter[1].endsWith(u"|SaldoVoor:N:15:2|SaldoNa:N:15:2"_s, Qt::CaseInsensitive))
            << dumpedAfter[1].toStdString();
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const QString line = dumpedAfter[2 + static_cast<int>(i)];
            QString extra;
            EXPECT_EQ(parseRow(line, &extra), expected[i]);
            if (c.rows == 5) {
                const int row = static_cast<int>(i);
                EXPECT_EQ(extra, row < extras.size() ? extras[row] : QString());
            }
            const QString balances = i + 1 < expected.size() ? u"||"_s : u"|-87.66|-75.32"_s;
            EXPECT_TRUE(line.endsWith(balances)) << line.toStdString();
        }
    }
}

} // namespace
