#include "import/account_census.h"
#include "import/import_error.h"
#include "import/import_run.h"
#include "relations/group_resolver.h"
#include "store/dbase/cp1252.h"
#include "store/dbase/engine_error.h"
#include "store/table_definitions.h"
#include "store/table_names.h"

#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

using namespace store::names;
using dbase::Table;
using import::ImportCounts;
using import::ImportRun;

QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// One bank line in Windows-1252 bytes, without its line end.
QByteArray line(const char* date, const char* amount, const QString& remainder)
{
    return QByteArray("NL01BANK0123456789\tEUR\t") + date + "\t1000,00\t987,50\t" + date + '\t' +
           amount + '\t' + dbase::cp1252::encode(remainder);
}

// A bank line with its own balances before and after it.
QByteArray saldoLine(const char* date, const char* before, const char* after, const char* amount,
                     const QString& remainder)
{
    return QByteArray("NL01BANK0123456789\tEUR\t") + date + '\t' + before + '\t' + after +
           "\t20991231\t" + amount + '\t' + dbase::cp1252::encode(remainder);
}

QByteArray lines(const QList<QByteArray>& list, const char* end = "\r\n")
{
    QByteArray bytes;
    for (const QByteArray& l : list)
        bytes += l + end;
    return bytes;
}

class RecordingGauge : public import::Gauge
{
public:
    void setMaximum(int maximum) override { events << QStringLiteral("max %1").arg(maximum); }
    void setPosition(int position) override { events << QString::number(position); }
    QStringList events;
};

// How many descriptors of this process have the file open.
int openCount(const QString& path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        if (fd.symLinkTarget() == target)
            ++count;
    return count;
}

class ImportRunTest : public ::testing::Test
{
protected:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("bank.tab"))
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }

    ImportCounts import(const QByteArray& bytes, const QString& name = QStringLiteral("bank.tab"))
    {
        ImportRun run(*m_mutaties, *m_bedrijven);
        return run.run(write(bytes, name));
    }

    // The failure of an import, with the line number it names.
    QString failure(const QByteArray& bytes, int* lineNumber = nullptr)
    {
        const QString path = write(bytes);
        ImportRun run(*m_mutaties, *m_bedrijven);
        run.setGauge(&m_gauge);
        QString message;
        try {
            run.run(path);
        } catch (const std::runtime_error& error) {
            message = QString::fromUtf8(error.what());
        }
        EXPECT_EQ(openCount(path), 0) << "file left open";
        if (lineNumber)
            *lineNumber = run.lineNumber();
        return message;
    }

    // mutaties in DATUM order: "datum|Soort|Naam|reknum|Omschrijving|Bedrag".
    QStringList transactions()
    {
        QStringList rows;
        for (m_mutaties->first(); !m_mutaties->eof(); m_mutaties->next())
            rows << QStringList{m_mutaties->fieldByName(kDatum).asDate().toString(Qt::ISODate),
                                QString::number(m_mutaties->fieldByName(kSoort).asInteger()),
                                m_mutaties->fieldByName(kNaam).asString(),
                                m_mutaties->fieldByName(kReknum).asString(),
                                m_mutaties->fieldByName(kOmschrijving).asString(),
                                QString::number(m_mutaties->fieldByName(kBedrag).asFloat())}
                        .join(u'|');
        return rows;
    }

    // Empty tables, for the next case.
    void fresh()
    {
        m_mutaties = Table::createInMemory(store::mutatiesDefinition(), kIndexDatum);
        m_bedrijven = Table::createInMemory(store::bedrijvenDefinition(), kIndexNaam);
    }

    // mutaties in DATUM order, then record order: "datum|Bedrag|SaldoVoor|SaldoNa", empty
    // balances as "-".
    QStringList balances()
    {
        QStringList rows;
        const auto value = [this](const QString& name) {
            const dbase::Field field = m_mutaties->fieldByName(name);
            return field.isNull() ? QStringLiteral("-") : QString::number(field.asFloat());
        };
        for (m_mutaties->first(); !m_mutaties->eof(); m_mutaties->next())
            rows << QStringList{m_mutaties->fieldByName(kDatum).asDate().toString(Qt::ISODate),
                                value(kBedrag), value(kSaldoVoor), value(kSaldoNa)}
                        .join(u'|');
        return rows;
    }

    // bedrijven in NAAM order: "Naam|jaar".
    QStringList relationYears()
    {
        QStringList rows;
        for (m_bedrijven->first(); !m_bedrijven->eof(); m_bedrijven->next())
            rows << m_bedrijven->fieldByName(kNaam).asString() + u'|' +
                        m_bedrijven->fieldByName(kJaar).asString();
        return rows;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Table> m_mutaties =
        Table::createInMemory(store::mutatiesDefinition(), kIndexDatum);
    std::unique_ptr<Table> m_bedrijven =
        Table::createInMemory(store::bedrijvenDefinition(), kIndexNaam);
    RecordingGauge m_gauge;
};

const QString kGiro = s(u"GIRO  1234567 J. JANSEN  HUUR JANUARI");
const QString kBea = s(u"BEA   NR:XH7F23K1 31.12.10/12.34 CAFÉ DE ZWAAN AMSTERDAM,PAS 123");
const QString kOther = s(u"RENTE  OVER 2010");

TEST_F(ImportRunTest, storesTheLineAsTheImportReadsIt)
{
    EXPECT_EQ(import(lines({line("20101231", "-12,5", kGiro)})).added, 1);
    EXPECT_EQ(transactions(), QStringList{s(u"2010-12-31|4|J. JANSEN|1234567|HUUR JANUARI|-12.5")});
    EXPECT_EQ(relationYears(), QStringList{s(u"J. JANSEN|2010")});
}

TEST_F(ImportRunTest, textsAreTrimmedAndAccentsKept)
{
    import(lines({line("20100105", "3,00", kBea), line("20100106", "1", s(u"GIRO 5  \x01X  Y "))}));
    EXPECT_EQ(
        transactions(),
        (QStringList{s(u"2010-01-05|6|CAFÉ DE ZWAAN AMSTERDAM,|XH7F23K1|31.12.10/12.34 CAFÉ DE "
                       u"ZWAAN AMSTERDAM,PAS 123|3"),
                     s(u"2010-01-06|4|X|5|Y|1")}));
}

TEST_F(ImportRunTest, readingAFileTwiceStoresItOnce)
{
    const QByteArray file =
        lines({line("20100101", "-1,00", kGiro), line("20100101", "2,00", kBea),
               line("20100302", "3,00", kOther), line("20110101", "4,00", kGiro)});
    const ImportCounts first = import(file);
    EXPECT_EQ(first.added, 4);
    EXPECT_EQ(first.skipped, 0);
    const QStringList stored = transactions();
    const QStringList years = relationYears();

    const ImportCounts second = import(file);
    EXPECT_EQ(second.added, 0);
    EXPECT_EQ(second.skipped, 4);
    EXPECT_EQ(transactions(), stored);
    EXPECT_EQ(relationYears(), years);
}

TEST_F(ImportRunTest, duplicatesInsideOneFileAndAcrossTwo)
{
    const ImportCounts one =
        import(lines({line("20100101", "1", kGiro), line("20100101", "1", kGiro),
                      line("20100101", "2", kGiro), line("20100101", "1", kGiro)}));
    EXPECT_EQ(one.added, 2);
    EXPECT_EQ(one.skipped, 2);

    // Overlapping exports: only the lines not seen before are added.
    const ImportCounts two =
        import(lines({line("20100101", "2", kGiro), line("20100102", "1", kGiro)}),
               QStringLiteral("second.tab"));
    EXPECT_EQ(two.added, 1);
    EXPECT_EQ(two.skipped, 1);
    EXPECT_EQ(transactions().size(), 3);
}

TEST_F(ImportRunTest, whatMakesALineDifferent)
{
    import(lines({
        line("20100101", "1", kGiro), line("20100101", "1,01", kGiro),       // amount
        line("20100102", "1", kGiro),                                        // date
        line("20100101", "1", s(u"GIRO  7654321 J. JANSEN  HUUR JANUARI")),  // account
        line("20100101", "1", s(u"GIRO  1234567 P. JANSEN  HUUR JANUARI")),  // relation
        line("20100101", "1", s(u"GIRO  1234567 J. JANSEN  HUUR FEBRUARI")), // description
        line("20100101", "1", s(u"GIRO  1234567 j. jansen  HUUR JANUARI")),  // case counts
    }));
    EXPECT_EQ(transactions().size(), 7);
}

TEST_F(ImportRunTest, whatDoesNotMakeALineDifferent)
{
    const QString pin = s(u"BEA   NR:12345678 01.01.10/10.00 BAKKER,PAS 1");
    const ImportCounts counts = import(lines({
        line("20100101", "1", kGiro), line("20100101", "1,00", kGiro), // the same amount
        line("20100101", " +1,004 ", kGiro),                           // rounds to 1,00
        line("20100101", "1", s(u"GIRO    1234567   J. JANSEN   HUUR   JANUARI  ")), // blanks
        line("20100101", "5", pin),
        line("20100101", "5", s(u"GEA") + pin.mid(3)), // another kind, the same stored values
    }));
    EXPECT_EQ(counts.added, 2);
    EXPECT_EQ(counts.skipped, 4);
}

TEST_F(ImportRunTest, valuesLongerThanTheirFieldsAreRecognisedAgain)
{
    // A five-word name over 40 characters is stored cut; the next import must still match it.
    const QString longName =
        s(u" 12.34.56.789 WONINGBOUWCORPORATIE NOORDOOSTPOLDER ZUID-OOST  HUUR");
    const QString longCode = s(u"GIRO 12345678901234567890 JANSEN  X");
    const QByteArray file =
        lines({line("20100101", "-500", longName), line("20100101", "1", longCode)});
    EXPECT_EQ(import(file).added, 2);
    EXPECT_EQ(relationYears(), (QStringList{s(u"JANSEN|2010"),
                                            s(u"WONINGBOUWCORPORATIE NOORDOOSTPOLDER ZUI|2010")}));
    const ImportCounts again = import(file);
    EXPECT_EQ(again.added, 0);
    EXPECT_EQ(again.skipped, 2);

    // Cut at 40 characters the name ends in a blank, which the table drops; a second line in
    // the same run, compared before any re-reading, must match the stored row all the same.
    const QString blankAt40 = s(u" 12.34.56.789 ") + QString(39, u'A') + s(u" BBB  TAIL");
    const QByteArray twice =
        lines({line("20100201", "1", blankAt40), line("20100201", "1", blankAt40)});
    const ImportCounts inOneRun = import(twice, QStringLiteral("twice.tab"));
    EXPECT_EQ(inOneRun.added, 1);
    EXPECT_EQ(inOneRun.skipped, 1);
    EXPECT_TRUE(relationYears().contains(QString(39, u'A') + s(u"|2010")));
}

TEST_F(ImportRunTest, lineEndsGiveTheSameRows)
{
    const QList<QByteArray> list = {line("20100101", "1", kGiro), line("20100102", "2", kBea),
                                    line("20100103", "3", kOther)};
    QStringList expected;
    for (const char* end : {"\r\n", "\r", "\n"}) {
        m_mutaties = Table::createInMemory(store::mutatiesDefinition(), kIndexDatum);
        QByteArray bytes = lines(list, end);
        bytes.chop(static_cast<qsizetype>(std::strlen(end))); // and a last line without a line end
        EXPECT_EQ(import(bytes).added, 3) << end;
        if (expected.isEmpty())
            expected = transactions();
        EXPECT_EQ(transactions(), expected);
    }
}

TEST_F(ImportRunTest, aStrayLineFeedInADescriptionStaysInIt)
{
    const ImportCounts counts =
        import(lines({line("20100101", "1", s(u"GIRO  1234567 J. JANSEN  HUUR\nJANUARI")),
                      line("20100102", "2", kGiro)}));
    EXPECT_EQ(counts.added, 2);
    EXPECT_EQ(transactions().first(), s(u"2010-01-01|4|J. JANSEN|1234567|HUUR\nJANUARI|1"));
}

// Today's layouts: a transfer, a direct debit, a card payment, beside an old line.
const QString kLabelled = s(u"SEPA Overboeking                 IBAN: NL12TEST0123456789        "
                            u"BIC: TESTNL2A                   Naam: J. DE BOER");
const QString kSlash = s(u"/TRTP/SEPA Incasso algemeen doorlopend/CSID/NL98ZZZ123456780000/NAME/"
                         u"ENERGIE VOOR ALLEN/REMI/Voorschot/IBAN/NL55ENRG0987654321/EREF/1");
const QString kCard = s(u"BEA, Betaalpas                   BAKKERIJ HOEK,PAS123            "
                        u"NR:TRM001, 05.01.26/12:34");

TEST_F(ImportRunTest, eitherReadingOfALineIsTheSameTransaction)
{
    using import::Layouts;
    const QByteArray file =
        lines({line("20260105", "-10", kLabelled), line("20260105", "-20", kSlash),
               line("20260105", "-3,5", kCard), line("20260105", "-1", kGiro)});
    const struct
    {
        Layouts first, second;
        const char16_t* cardRelation; // as the first import stored it
    } cases[] = {
        {Layouts::Classic, Layouts::Current, u"BAKKERIJ HOEK,PAS123"},
        {Layouts::Current, Layouts::Classic, u"BAKKERIJ HOEK"},
        {Layouts::Current, Layouts::Current, u"BAKKERIJ HOEK"},
    };
    for (const auto& c : cases) {
        m_mutaties = Table::createInMemory(store::mutatiesDefinition(), kIndexDatum);
        m_bedrijven = Table::createInMemory(store::bedrijvenDefinition(), kIndexNaam);
        ImportRun first(*m_mutaties, *m_bedrijven);
        first.setOptions({c.first, {}});
        EXPECT_EQ(first.run(write(file)).added, 4);
        const QStringList stored = transactions();
        EXPECT_TRUE(relationYears().contains(s(c.cardRelation) + s(u"|2026")))
            << relationYears().join(u',').toStdString();

        ImportRun second(*m_mutaties, *m_bedrijven);
        second.setOptions({c.second, {}});
        const ImportCounts again = second.run(write(file));
        EXPECT_EQ(again.added, 0);
        EXPECT_EQ(again.skipped, 4);
        EXPECT_EQ(transactions(), stored) << "re-reading keeps the stored rows as they are";
    }
}

TEST_F(ImportRunTest, oneAccountOfAFileOfSeveral)
{
    const QByteArray savings = "SPAAR-9\tEUR\t20100103\t0\t0\t20100103\t50\tRENTE";
    const QByteArray file = lines({line("20100101", "1", kGiro), savings,
                                   line("20100102", "2", kGiro), "not a transaction line"})
                                .chopped(2); // the last line is read, and fails, as ever
    const std::vector<import::AccountLines> accounts = import::accountsInFile(write(file));
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(import::accountLabel(accounts[0]), s(u"NL01BANK0123456789 (2 regels)"));
    EXPECT_EQ(import::accountLabel(accounts[1]), s(u"SPAAR-9 (1 regel)"));

    const QByteArray valid =
        lines({line("20100101", "1", kGiro), savings, line("20100102", "2", kGiro)});
    ImportRun run(*m_mutaties, *m_bedrijven);
    run.setOptions({import::Layouts::Current, s(u"SPAAR-9")});
    const ImportCounts counts = run.run(write(valid));
    EXPECT_EQ(import::countsText(counts), s(u"1 nieuw, 0 overgeslagen, 2 van een andere rekening"));
    EXPECT_EQ(transactions(), QStringList{s(u"2010-01-03|3|KOLVARO|KOLVARO|RENTE|50")});
    EXPECT_EQ(import::countsText(import(valid)), s(u"2 nieuw, 1 overgeslagen"));
}

TEST_F(ImportRunTest, ctrlZEndsTheFile)
{
    const ImportCounts counts = import(lines({line("20100101", "1", kGiro)}) + "\x1a" +
                                       lines({line("20100102", "2", kGiro), "garbage"}));
    EXPECT_EQ(counts.added, 1);
    EXPECT_EQ(transactions().size(), 1);
}

TEST_F(ImportRunTest, failuresKeepTheLinesBefore)
{
    const QByteArray good = lines({line("20100101", "1", kGiro), line("20100102", "2", kBea)});
    const struct
    {
        QByteArray bad;
        const char16_t* message;
    } cases[] = {
        {line("20100103", "1.234,56", kGiro), u"'1.234,56' is not a valid floating point value"},
        {line("20100103", "12.50", kGiro), u"'12.50' is not a valid floating point value"},
        {"", u"'' is not a valid floating point value"}, // an empty line after the transactions
        {"a\tb\tc", u"'' is not a valid floating point value"},
        {line("20101301", "1", kGiro), u"'01-13-2010' is not a valid date"},
        {line("20100431", "1", kGiro), u"'31-04-2010' is not a valid date"},
        {line("2010O101", "1", kGiro), u"'01-O1-2010' is not a valid date"},
    };
    for (const auto& c : cases) {
        m_mutaties = Table::createInMemory(store::mutatiesDefinition(), kIndexDatum);
        int lineNumber = 0;
        EXPECT_EQ(
            failure(good + c.bad + "\r\n" + lines({line("20100104", "4", kGiro)}), &lineNumber),
            s(c.message));
        EXPECT_EQ(lineNumber, 3);
        EXPECT_EQ(transactions().size(), 2) << "the lines before the failure stay stored";
    }
}

TEST_F(ImportRunTest, fileErrors)
{
    ImportRun run(*m_mutaties, *m_bedrijven);
    const auto message = [&](const QString& path) {
        try {
            run.run(path);
        } catch (const import::ImportError& error) {
            return error.text();
        }
        return QString();
    };
    EXPECT_EQ(message(m_dir.filePath(QStringLiteral("missing.tab"))), u"File not found");
    EXPECT_EQ(message(m_dir.filePath(QStringLiteral("no/such.tab"))), u"Invalid filename");
    EXPECT_EQ(run.lineNumber(), 0);
}

TEST_F(ImportRunTest, engineFailureStopsTheImportWithItsText)
{
    // Bedrag is N(15,2): an amount of 10^13 does not fit.
    int lineNumber = 0;
    const QString message =
        failure(lines({line("20100101", "1", kGiro), line("20100102", "10000000000000", kGiro)}),
                &lineNumber);
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(lineNumber, 2);
    EXPECT_EQ(transactions().size(), 1);
    EXPECT_EQ(m_mutaties->state(), Table::State::Browse) << "no half-written row is left pending";
    m_mutaties->flush();
    EXPECT_EQ(transactions().size(), 1);
}

TEST_F(ImportRunTest, gauge)
{
    // 10 lines of 130 bytes: maximum 1300 / 128 = 10; the counter runs 1 past the lines read.
    QList<QByteArray> list;
    for (int i = 0; i < 10; ++i) {
        QByteArray l = line("20100101", QByteArray::number(i + 1).constData(), kGiro);
        l += QByteArray(128 - l.size(), ' ');
        list << l;
    }
    ImportRun run(*m_mutaties, *m_bedrijven);
    run.setGauge(&m_gauge);
    run.run(write(lines(list)));
    EXPECT_EQ(m_gauge.events,
              (QStringList{s(u"max 10"), s(u"0"), s(u"2"), s(u"3"), s(u"4"), s(u"5"), s(u"6"),
                           s(u"7"), s(u"8"), s(u"9"), s(u"10"), s(u"10"), s(u"10")}));
}

TEST_F(ImportRunTest, gaugeOfASmallFileStaysEmpty)
{
    const QByteArray bytes =
        lines({line("20100101", "1", s(u"X")), line("20100102", "1", s(u"X"))});
    ASSERT_LT(bytes.size(), 128);
    ImportRun run(*m_mutaties, *m_bedrijven);
    run.setGauge(&m_gauge);
    run.run(write(bytes));
    EXPECT_EQ(m_gauge.events, (QStringList{s(u"max 0"), s(u"0"), s(u"0"), s(u"0"), s(u"0")}));
}

TEST_F(ImportRunTest, gaugeStaysWhereItWasOnAFailure)
{
    QList<QByteArray> list;
    for (int i = 0; i < 4; ++i)
        list << line("20100101", QByteArray::number(i + 1).constData(), kGiro) +
                    QByteArray(80, ' ');
    list << "bad";
    const int maximum = static_cast<int>(lines(list).size() / 128);
    ASSERT_GE(maximum, 5);
    failure(lines(list));
    // Four lines read: the counter stands at 5, and no final "full" position follows.
    EXPECT_EQ(m_gauge.events.first(), QStringLiteral("max %1").arg(maximum));
    EXPECT_EQ(m_gauge.events.last(), s(u"5"));
}

TEST_F(ImportRunTest, oneRelationYearRowPerRelationAndYear)
{
    QList<QByteArray> list;
    for (int day = 1; day <= 28; ++day) {
        const QByteArray date =
            QByteArray("201001") + QByteArray::number(day).rightJustified(2, '0');
        list << line(date.constData(), "1", kGiro) << line(date.constData(), "2", kOther);
    }
    list << line("20110101", "1", kGiro) << line("20091231", "1", kGiro);
    EXPECT_EQ(import(lines(list)).added, 58);
    QStringList years = relationYears();
    years.sort(); // equal names stay in the order they were added
    EXPECT_EQ(years, (QStringList{s(u"J. JANSEN|2009"), s(u"J. JANSEN|2010"), s(u"J. JANSEN|2011"),
                                  s(u"KOLVARO|2010")}));
    // A relation-year row that already exists is not added again by a later file.
    import(lines({line("20100615", "9", kGiro)}), QStringLiteral("later.tab"));
    EXPECT_EQ(relationYears().size(), 4);
}

TEST_F(ImportRunTest, groupsNameTheRelationYearRowsAndNeverTheStoredTransactions)
{
    const QString shop1 = s(u"BEA   NR:XH7F23K1 31.12.10/12.34 SUPERMARKT 1234 AMSTERDAM,PAS 1");
    const QString shop2 = s(u"BEA   NR:QQ7F23K2 01.01.11/09.15 SUPERMARKT 9999 ZWOLLE,PAS 1");
    const QByteArray file =
        lines({line("20101231", "-12,5", shop1), line("20110101", "-3", kGiro)});
    import(file);
    QFile stored(m_mutaties->filePath());
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray before = stored.readAll();

    relations::GroupRule rule;
    rule.kind = relations::RuleKind::BeginsWith;
    rule.pattern = s(u"supermarkt");
    rule.group = s(u"SUPERMARKT");
    const relations::GroupResolver groups({rule});
    const auto importWithGroups = [&](const QByteArray& bytes) {
        ImportRun run(*m_mutaties, *m_bedrijven);
        run.setGroups(&groups);
        return run.run(write(bytes));
    };
    // Read again under a rule: nothing is stored twice, mutaties stays byte for byte.
    EXPECT_EQ(importWithGroups(file).added, 0);
    stored.seek(0);
    EXPECT_EQ(stored.readAll(), before);

    EXPECT_EQ(importWithGroups(lines({line("20110102", "-4", shop2)})).added, 1);
    EXPECT_EQ(relationYears(), (QStringList{s(u"J. JANSEN|2011"), s(u"SUPERMARKT|2011"),
                                            s(u"SUPERMARKT 1234 AMSTERDA|2010")}));
    EXPECT_EQ(transactions().last(), s(u"2011-01-02|6|SUPERMARKT 9999 ZWOLLE,P|QQ7F23K2|01.01.11/"
                                       u"09.15 SUPERMARKT 9999 ZWOLLE,PAS 1|-4"));
}

} // namespace

namespace {

struct Counted
{
    int added;
    int skipped;
};

TEST_F(ImportRunTest, twinsAreKeptTheSameLineReadAgainIsNot)
{
    // Two real twins: the same five fields, the second starting where the first ended.
    const QByteArray twins = lines({saldoLine("20100105", "100,00", "90,00", "-10,00", kGiro),
                                    saldoLine("20100105", "90,00", "80,00", "-10,00", kGiro)});
    const struct
    {
        const char* label;
        QList<QByteArray> files;
        std::vector<Counted> counts;
        QStringList rows;
    } cases[] = {
        {"twins in one file",
         {twins},
         {{2, 0}},
         {s(u"2010-01-05|-10|100|90"), s(u"2010-01-05|-10|90|80")}},
        {"twins across two files",
         {lines({saldoLine("20100105", "100,00", "90,00", "-10,00", kGiro)}),
          lines({saldoLine("20100105", "90,00", "80,00", "-10,00", kGiro)})},
         {{1, 0}, {1, 0}},
         {s(u"2010-01-05|-10|100|90"), s(u"2010-01-05|-10|90|80")}},
        {"an overlapping file read again",
         {twins, twins + lines({saldoLine("20100106", "80,00", "81,50", "1,50", kBea)})},
         {{2, 0}, {1, 2}},
         {s(u"2010-01-05|-10|100|90"), s(u"2010-01-05|-10|90|80"), s(u"2010-01-06|1.5|80|81.5")}},
        {"the same line twice in one file",
         {lines({saldoLine("20100105", "100,00", "90,00", "-10,00", kGiro),
                 saldoLine("20100105", "100,00", "90,00", "-10,00", kGiro)})},
         {{1, 1}},
         {s(u"2010-01-05|-10|100|90")}},
        {"a line without balances matches either twin",
         {twins, lines({saldoLine("20100105", "", "", "-10,00", kGiro)})},
         {{2, 0}, {0, 1}},
         {s(u"2010-01-05|-10|100|90"), s(u"2010-01-05|-10|90|80")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fresh();
        for (qsizetype i = 0; i < c.files.size(); ++i) {
            const ImportCounts counts = import(c.files[i]);
            EXPECT_EQ(counts.added, c.counts[std::size_t(i)].added) << "file " << i + 1;
            EXPECT_EQ(counts.skipped, c.counts[std::size_t(i)].skipped) << "file " << i + 1;
        }
        EXPECT_EQ(balances(), c.rows);
    }
}

TEST_F(ImportRunTest, linesWithBalancesFillTheRowsOfOlderImportsOnce)
{
    // Rows stored without balances, as imports before this version stored them.
    const QByteArray old = lines({saldoLine("20100105", "", "", "-10,00", kGiro),
                                  saldoLine("20100107", "x", "y", "2,00", kBea)});
    const struct
    {
        const char* label;
        QByteArray file;
        Counted counts;
        QStringList rows;
    } cases[] = {
        {"the overlapping file gives the old rows their balances",
         lines({saldoLine("20100105", "100,00", "90,00", "-10,00", kGiro),
                saldoLine("20100107", "90,00", "92,00", "2,00", kBea),
                saldoLine("20100108", "92,00", "95,00", "3,00", kOther)}),
         {1, 2},
         {s(u"2010-01-05|-10|100|90"), s(u"2010-01-07|2|90|92"), s(u"2010-01-08|3|92|95")}},
        {"a second line with other balances is a twin",
         lines({saldoLine("20100105", "100,00", "90,00", "-10,00", kGiro),
                saldoLine("20100105", "90,00", "80,00", "-10,00", kGiro)}),
         {1, 1},
         {s(u"2010-01-05|-10|100|90"), s(u"2010-01-05|-10|90|80"), s(u"2010-01-07|2|-|-")}},
        {"a second line with the same balances is the same line",
         lines({saldoLine("20100105", "100,00", "90,00", "-10,00", kGiro),
                saldoLine("20100105", "100,00", "90,00", "-10,00", kGiro)}),
         {0, 2},
         {s(u"2010-01-05|-10|100|90"), s(u"2010-01-07|2|-|-")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fresh();
        ASSERT_EQ(import(old).added, 2);
        const ImportCounts counts = import(c.file, QStringLiteral("new.tab"));
        EXPECT_EQ(counts.added, c.counts.added);
        EXPECT_EQ(counts.skipped, c.counts.skipped);
        EXPECT_EQ(balances(), c.rows);
        const ImportCounts again = import(c.file, QStringLiteral("new.tab"));
        EXPECT_EQ(again.added, 0) << "read a third time, nothing changes";
        EXPECT_EQ(balances(), c.rows);
    }
}

TEST_F(ImportRunTest, linesWhoseBalancesDoNotAddUpAreCountedAndStoredAsWritten)
{
    const ImportCounts counts = import(lines({
        saldoLine("20100101", "100,00", "90,00", "-10,00", kGiro),    // adds up
        saldoLine("20100102", "90,00", "80,01", "-10,00", kGiro),     // off by a cent
        line("20100103", "1,00", kBea).replace("987,50", "1.001,00"), // thousands separator
        saldoLine("20100104", "", "", "5,00", kOther),                // none
    }));
    EXPECT_EQ(counts.added, 4);
    EXPECT_EQ(counts.balanceFailures, 3);
    EXPECT_EQ(counts.firstBalanceFailure, 2);
    EXPECT_EQ(import::countsText(counts), s(u"4 nieuw, 0 overgeslagen"));
    EXPECT_EQ(import::balanceFailuresText(counts), s(u"3 saldo-fouten, eerste op regel 2"));
    EXPECT_EQ(balances(), (QStringList{s(u"2010-01-01|-10|100|90"), s(u"2010-01-02|-10|90|80.01"),
                                       s(u"2010-01-03|1|-|-"), s(u"2010-01-04|5|-|-")}));

    const ImportCounts good =
        import(lines({saldoLine("20100101", "100,00", "90,00", "-10,00", kGiro)}));
    EXPECT_EQ(good.balanceFailures, 0);
    EXPECT_EQ(import::balanceFailuresText(good), QString());
}

} // namespace
