// kolvaro-cli sample: the generated file's form, its determinism, and that it imports with the
// counts it promises.
#include "tests/cli/cli_runner.h"
#include "tests/support/qt_print.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

namespace {

class CliSampleTest : public ::testing::Test
{
protected:
    clirunner::Result cli(const QStringList& arguments)
    {
        return clirunner::run(m_dir.filePath(QStringLiteral("engine.ini")), arguments);
    }

    QByteArray sample(const QStringList& options)
    {
        const clirunner::Result result = cli(QStringList{QStringLiteral("sample")} + options);
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        return result.out;
    }

    // Imports the bytes into the tables folder `name` and gives the import's report.
    QString import(const QByteArray& bytes, const QString& name = QStringLiteral("tables"))
    {
        QFile file(m_dir.filePath(name + QStringLiteral(".tab")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const clirunner::Result result = cli({QStringLiteral("--tables"), m_dir.filePath(name),
                                              QStringLiteral("import"), file.fileName()});
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        return QString::fromUtf8(result.out);
    }

    QStringList dumpRows(const QString& table, const QString& name = QStringLiteral("tables"))
    {
        const clirunner::Result result =
            cli({QStringLiteral("--tables"), m_dir.filePath(name), QStringLiteral("dump"), table});
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        QStringList rows = QString::fromUtf8(result.out).split(u'\n', Qt::SkipEmptyParts);
        rows.removeFirst();
        return rows;
    }

    QTemporaryDir m_dir;
};

TEST_F(CliSampleTest, fileFormAndDeterminism)
{
    const QStringList options = {QStringLiteral("--lines"),      QStringLiteral("3000"),
                                 QStringLiteral("--seed"),       QStringLiteral("5"),
                                 QStringLiteral("--years"),      QStringLiteral("2"),
                                 QStringLiteral("--start-year"), QStringLiteral("2012")};
    const QByteArray bytes = sample(options);
    EXPECT_EQ(sample(options), bytes);
    EXPECT_NE(sample({QStringLiteral("--lines"), QStringLiteral("3000")}), bytes);

    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(1).split('\n');
    ASSERT_EQ(lines.size(), 3000);
    QByteArray previous = "20120101";
    bool positive = false, negative = false, overlong = false;
    for (const QByteArray& line : lines) {
        ASSERT_TRUE(line.endsWith('\r')) << line.toStdString();
        const QList<QByteArray> fields = line.chopped(1).split('\t');
        ASSERT_EQ(fields.size(), 8) << line.toStdString();
        EXPECT_EQ(fields[1], "EUR");
        const QByteArray date = fields[2];
        ASSERT_TRUE(date >= previous && date <= "20131231") << date.toStdString();
        previous = date;
        (fields[6].startsWith('-') ? negative : positive) = true;
        overlong = overlong || line.size() > 260;
    }
    EXPECT_TRUE(positive && negative && overlong);
    // Windows-1252, not UTF-8: É is one byte.
    EXPECT_TRUE(bytes.contains('\xc9') || bytes.contains('\xcb') || bytes.contains('\xdc'));
    EXPECT_FALSE(bytes.contains("\xc3\x89"));
}

TEST_F(CliSampleTest, importsWithThePromisedCounts)
{
    struct Case
    {
        const char* lines;
        const char* dupFraction;
        const char* years;
        int stored;
        int skipped;
    };
    const Case cases[] = {
        {"0", "0", "1", 0, 0},
        {"1", "0.9", "1", 1, 0}, // at least the original stays
        {"40", "0.5", "1", 20, 20},
        {"5000", "0.1", "1", 4500, 500}, // a busy year: many lines share a date
        {"2500", "0", "4", 2500, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lines) + " lines, copies " + c.dupFraction);
        const QByteArray bytes =
            sample({QStringLiteral("--lines"), QString::fromLatin1(c.lines),
                    QStringLiteral("--dup-fraction"), QString::fromLatin1(c.dupFraction),
                    QStringLiteral("--years"), QString::fromLatin1(c.years)});
        const QString tables = QStringLiteral("t") + QString::fromLatin1(c.lines);
        EXPECT_EQ(import(bytes, tables),
                  QStringLiteral("%1 nieuw, %2 overgeslagen\n").arg(c.stored).arg(c.skipped));
        EXPECT_EQ(import(bytes, tables),
                  QStringLiteral("0 nieuw, %1 overgeslagen\n").arg(c.stored + c.skipped));
    }
}

TEST_F(CliSampleTest, everyKindAndRelationFormReachesTheTables)
{
    import(sample({QStringLiteral("--lines"), QStringLiteral("3000")}));
    QSet<QString> kinds;
    bool kolvaro = false, diacritics = false, cutName = false, emptyName = false;
    for (const QString& row : dumpRows(QStringLiteral("mutaties"))) {
        const QStringList f = row.split(u'\t'); // datum Soort Naam Omschrijving reknum Bedrag
        kinds << f[1];
        kolvaro = kolvaro || f[2] == u"KOLVARO";
        diacritics = diacritics || f[2].contains(QRegularExpression(QStringLiteral("[À-ÿ]")));
        cutName = cutName || f[2].size() == 40;
        emptyName = emptyName || f[2].isEmpty();
    }
    EXPECT_EQ(kinds, (QSet<QString>{QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                                    QStringLiteral("6"), QStringLiteral("7")}));
    EXPECT_TRUE(kolvaro && diacritics && cutName && emptyName);
    EXPECT_GT(dumpRows(QStringLiteral("bedrijven")).size(), 150) << "many relations, three years";
}

TEST_F(CliSampleTest, badOptionsAreUsageErrors)
{
    const QStringList bad[] = {
        {},
        {QStringLiteral("--seed"), QStringLiteral("3")},
        {QStringLiteral("--lines")},
        {QStringLiteral("--lines"), QStringLiteral("ten")},
        {QStringLiteral("--lines"), QStringLiteral("-1")},
        {QStringLiteral("--lines"), QStringLiteral("5"), QStringLiteral("--years"),
         QStringLiteral("0")},
        {QStringLiteral("--lines"), QStringLiteral("5"), QStringLiteral("--dup-fraction"),
         QStringLiteral("1")},
        {QStringLiteral("--lines"), QStringLiteral("5"), QStringLiteral("--start-year"),
         QStringLiteral("9999"), QStringLiteral("--years"), QStringLiteral("2")},
        {QStringLiteral("--lines"), QStringLiteral("5"), QStringLiteral("--colour"),
         QStringLiteral("red")},
    };
    for (const QStringList& options : bad) {
        const clirunner::Result result = cli(QStringList{QStringLiteral("sample")} + options);
        EXPECT_EQ(result.status, 2) << options.join(u' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.startsWith("usage: kolvaro-cli sample --lines N"));
    }
}

} // namespace
