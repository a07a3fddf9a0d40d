// kolvaro-cli sample: the generated file's form, its determinism, and that it imports with the
// counts it promises.
#include "tests/cli/cli_runner.h"
#include "tests/support/qt_print.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <optional>

namespace {

using clirunner::words;

class CliSampleTest : public ::testing::Test
{
protected:
    clirunner::Result cli(const QStringList& arguments)
    {
        return clirunner::run(m_dir.filePath(QStringLiteral("engine.ini")), arguments);
    }

    QByteArray sample(const char* options)
    {
        const clirunner::Result result = cli(words("sample") + words(options));
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        return result.out;
    }

    QString onTables(const QString& tables, const QStringList& command)
    {
        const clirunner::Result result =
            cli(QStringList{QStringLiteral("--tables"), m_dir.filePath(tables)} + command);
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        return QString::fromUtf8(result.out);
    }

    QString import(const QString& tables, const QByteArray& bytes)
    {
        QFile file(m_dir.filePath(tables + QStringLiteral(".tab")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        return onTables(tables, {QStringLiteral("import"), file.fileName()});
    }

    QTemporaryDir m_dir;
};

TEST_F(CliSampleTest, fileFormAndDeterminism)
{
    const char* options = "--lines 3000 --seed 5 --years 2 --start-year 2012";
    const QByteArray bytes = sample(options);
    EXPECT_EQ(sample(options), bytes);
    EXPECT_NE(sample("--lines 3000"), bytes);

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
        ASSERT_TRUE(fields[2] >= previous && fields[2] <= "20131231") << line.toStdString();
        previous = fields[2];
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
        const char* options;
        int stored;
        int skipped;
    };
    const Case cases[] = {
        {"--lines 0", 0, 0},
        {"--lines 1 --dup-fraction 0.9", 1, 0}, // at least the original stays
        {"--lines 40 --dup-fraction 0.5 --years 1", 20, 20},
        {"--lines 5000 --dup-fraction 0.1 --years 1", 4500, 500}, // many lines share a date
        {"--lines 2500 --years 4", 2500, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const QByteArray bytes = sample(c.options);
        const QString tables = QString::number(c.stored) + u'-' + QString::number(c.skipped);
        EXPECT_EQ(import(tables, bytes),
                  QStringLiteral("%1 nieuw, %2 overgeslagen\n").arg(c.stored).arg(c.skipped));
        EXPECT_EQ(import(tables, bytes),
                  QStringLiteral("0 nieuw, %1 overgeslagen\n").arg(c.stored + c.skipped));
    }
}

TEST_F(CliSampleTest, everyKindAndRelationFormReachesTheTables)
{
    const struct
    {
        const char* options;
        const char* kinds;
        // The old account lines without a double space give no name; today's always do.
        std::optional<bool> emptyName;
    } cases[] = {
        {"--lines 3000 --layout classic", "34567", true},
        {"--lines 3000 --layout current", "3467", false},
        {"--lines 3000 --start-year 2012 --years 4", "34567", std::nullopt}, // mixed: both eras
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        const QString tables = QString::fromUtf8(c.options).remove(u' ');
        import(tables, sample(c.options));
        QStringList rows =
            onTables(tables, words("dump mutaties")).split(u'\n', Qt::SkipEmptyParts);
        rows.removeFirst();
        QSet<QString> kinds;
        bool kolvaro = false, diacritics = false, cutName = false, emptyName = false,
             cardNumber = false;
        for (const QString& row : rows) {
            const QStringList f = row.split(u'\t'); // datum Soort Naam Omschrijving reknum Bedrag
            kinds << f[1];
            kolvaro = kolvaro || f[2] == u"KOLVARO";
            diacritics = diacritics || f[2].contains(QRegularExpression(QStringLiteral("[À-ÿ]")));
            cutName = cutName || f[2].size() == 40;
            emptyName = emptyName || f[2].isEmpty();
            cardNumber = cardNumber || (f[1] == u"6" && f[2].contains(u",PAS"));
        }
        QStringList sorted(kinds.begin(), kinds.end());
        sorted.sort();
        EXPECT_EQ(sorted.join(QString()), QString::fromUtf8(c.kinds));
        EXPECT_TRUE(kolvaro && diacritics && cutName);
        EXPECT_EQ(emptyName, c.emptyName.value_or(emptyName));
        EXPECT_FALSE(cardNumber && QByteArray(c.options).contains("current"))
            << "a shop paid with two cards is one relation";
    }
}

// "-1234,56" in cents.
qint64 cents(const QByteArray& money)
{
    const QList<QByteArray> parts = money.split(',');
    EXPECT_EQ(parts.size(), 2) << money.toStdString();
    EXPECT_EQ(parts.value(1).size(), 2) << money.toStdString();
    const qint64 size = parts[0].mid(money.startsWith('-') ? 1 : 0).toLongLong() * 100 +
                        parts.value(1).toLongLong();
    return money.startsWith('-') ? -size : size;
}

QList<QByteArray> fieldsOf(const QByteArray& line)
{
    return line.chopped(1).split('\t');
}

TEST_F(CliSampleTest, balancesChainThroughTheFileAndBreakAtEachGap)
{
    const struct
    {
        const char* options;
        int gaps; // --gaps
    } cases[] = {
        {"--lines 3000 --seed 5 --years 2", 0},
        {"--lines 2000 --dup-fraction 0.2 --years 1 --layout classic", 0},
        {"--lines 3000 --seed 7", 4},
        {"--lines 800 --dup-fraction 0.1 --years 1", 1},
        {"--lines 200 --years 1", 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        // The gapped file is the one without gaps less the left-out lines.
        const QByteArray whole = sample(c.options);
        const QByteArray gapped =
            c.gaps == 0
                ? whole
                : sample(QByteArray(c.options + QByteArray(" --gaps ") + QByteArray::number(c.gaps))
                             .constData());
        const QList<QByteArray> all = whole.chopped(1).split('\n');
        const QList<QByteArray> kept = gapped.chopped(1).split('\n');
        ASSERT_GT(kept.size(), 2 * c.gaps);
        EXPECT_EQ(kept.front(), all.front()) << "never the first day";
        EXPECT_EQ(kept.back(), all.back()) << "never the last day";

        qsizetype at = 0; // in `all`
        qint64 previousAfter = cents(fieldsOf(kept.front())[3]);
        int breaks = 0;
        for (qsizetype k = 0; k < kept.size(); ++k) {
            const QList<QByteArray> fields = fieldsOf(kept[k]);
            ASSERT_EQ(fields.size(), 8);
            const qint64 before = cents(fields[3]);
            EXPECT_EQ(cents(fields[4]), before + cents(fields[6])) << kept[k].toStdString();
            if (k > 0 && kept[k] == kept[k - 1]) { // a copy repeats the line, balances too
                ASSERT_EQ(all[at], kept[k]);
                ++at;
                continue;
            }
            qint64 leftOut = 0;
            for (; at < all.size() && all[at] != kept[k]; ++at)
                if (at == 0 || all[at] != all[at - 1])
                    leftOut += cents(fieldsOf(all[at])[6]);
            ASSERT_LT(at, all.size()) << "a line the file without gaps lacks";
            ++at;
            EXPECT_EQ(before - previousAfter, leftOut) << kept[k].toStdString();
            breaks += before != previousAfter;
            previousAfter = cents(fields[4]);
        }
        EXPECT_EQ(breaks, c.gaps);
    }
}

TEST_F(CliSampleTest, badOptionsAreUsageErrors)
{
    for (const char* options :
         {"", "--seed 3", "--lines", "--lines ten", "--lines -1", "--lines 5 --years 0",
          "--lines 5 --dup-fraction 1", "--lines 5 --start-year 9999 --years 2",
          "--lines 5 --colour red", "--lines 5 --gaps -1", "--lines 5 --gaps x"}) {
        const clirunner::Result result = cli(words("sample") + words(options));
        EXPECT_EQ(result.status, 2) << options;
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.startsWith("usage: kolvaro-cli sample --lines N")) << options;
    }
    const clirunner::Result noRoom = cli(words("sample --lines 5 --gaps 3"));
    EXPECT_EQ(noRoom.status, 1);
    EXPECT_TRUE(noRoom.out.isEmpty());
    EXPECT_EQ(noRoom.err, "Geen ruimte voor 3 gaten tussen de regels\n");
}

} // namespace
