#include "import/import_error.h"
#include "import/tab_reader.h"

#include "tests/store/engine_test_support.h"
#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using import::ImportError;
using import::TabReader;

class TabReaderTest : public ::testing::Test
{
protected:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("bank.tab"))
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QList<QByteArray> readAll(const QString& path)
    {
        TabReader reader(path);
        QList<QByteArray> lines;
        while (!reader.atEnd())
            lines.append(reader.readLine());
        return lines;
    }

    static QString openError(const QString& path)
    {
        try {
            TabReader reader(path);
        } catch (const ImportError& error) {
            return error.text();
        }
        return {};
    }

    QTemporaryDir m_dir;
};

using Lines = QList<QByteArray>;

#define T "1\t2\t3\t4\t5\t6\t7\t"

TEST_F(TabReaderTest, lineEnds)
{
    const struct
    {
        QByteArray bytes;
        Lines lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        // A lone LF ends a line before a transaction line (seven tabs) and at the end of the
        // file; before any other text it is a break inside the description.
        {T "a\n" T "b\n", {T "a", T "b"}},
        {T "a\nb c\n" T "d", {T "a\nb c", T "d"}},
        {T "a\n\t\t\t\t\t\tb\r\n", {T "a\n\t\t\t\t\t\tb"}},
        {"a\nb\n", {"a\nb"}},
        {"a\n\n", {"a\n"}},
        {"a\n\x1a", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c\nd"}}, // a last line without a line end is read
        {"", {}},
        {"\r\n", {""}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\n\rb", {"a\n", "b"}}, // LF then CR: the CR ends the line
        {"a\r\r\nb", {"a", "", "b"}},
        {QByteArray("a\0b\r\n", 5), {QByteArray("a\0b", 3)}},
        // Ctrl-Z ends the file, at the start of a line or inside one.
        {"a\r\n\x1a"
         "b\r\n",
         {"a"}},
        {"a\x1a"
         "b\r\nc\r\n",
         {"a"}},
        {"\x1a", {}},
        {"a\r\n\x1a", {"a"}},
        {"\xe9\xe8\x80\t\r\n", {"\xe9\xe8\x80\t"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readAll(write(c.bytes)), c.lines) << c.bytes.toStdString();
}

TEST_F(TabReaderTest, linesAcrossBufferBoundaries)
{
    // Line ends and long lines at every offset around the 64 KiB reads.
    QByteArray bytes;
    Lines expected;
    for (int i = 0; bytes.size() < 300 * 1024; ++i) {
        const QByteArray line =
            T + QByteArray(i % 7 == 0 ? 70000 : (i * 37) % 500, static_cast<char>('a' + i % 26));
        expected.append(line);
        bytes += line;
        bytes += (i % 3 == 0) ? "\r\n" : (i % 3 == 1 ? "\r" : "\n");
    }
    EXPECT_EQ(readAll(write(bytes)), expected);
    for (qsizetype cut = 65534; cut <= 65537; ++cut) {
        QByteArray crlf(cut, 'x');
        crlf += "\r\nlast";
        EXPECT_EQ(readAll(write(crlf)), (Lines{QByteArray(cut, 'x'), "last"})) << cut;
    }
}

TEST_F(TabReaderTest, sizeIsTheFileSize)
{
    const TabReader reader(write(QByteArray(1000, 'x')));
    EXPECT_EQ(reader.size(), 1000);
}

TEST_F(TabReaderTest, openErrors)
{
    EXPECT_EQ(openError(m_dir.filePath(QStringLiteral("missing.tab"))), u"File not found");
    EXPECT_EQ(openError(m_dir.filePath(QStringLiteral("nofolder/bank.tab"))), u"Invalid filename");
    EXPECT_EQ(openError(QString()), u"Invalid filename");
    const QString file = write("x");
    EXPECT_EQ(openError(file + QStringLiteral("/sub.tab")), u"Invalid filename");
    EXPECT_EQ(openError(m_dir.path()), u"File access denied");
    EXPECT_EQ(openError(m_dir.filePath(QString(300, u'n'))), u"Invalid filename");
}

TEST_F(TabReaderTest, specialFilesAndEndlessLinesAreErrorsNotHangs)
{
    const QString fifo = m_dir.filePath(QStringLiteral("bank.fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, QStringLiteral("/dev/zero")}) {
        const QString error = openError(path);
        EXPECT_TRUE(error.contains(QStringLiteral("not a regular file"))) << error.toStdString();
    }
    // A line past the limit, also when it is the last one without a line end.
    QByteArray tooLong = "eerste\r\n" + QByteArray(1024 * 1024 + 1, 'x');
    for (const QByteArray& bytes : {tooLong + "\r\n", tooLong}) {
        TabReader reader(write(bytes));
        EXPECT_EQ(reader.readLine(), "eerste");
        try {
            reader.readLine();
            ADD_FAILURE() << "read the long line";
        } catch (const ImportError& error) {
            EXPECT_EQ(error.text(), QStringLiteral("Line 2 is too long (over 1048576 bytes)"));
        }
    }
}

TEST_F(TabReaderTest, unreadableFileIsAccessDenied)
{
    const QString path = write("x");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    // Root reads every file, so the check runs as an unprivileged user when the test is root.
    QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                            QFileDevice::ExeOther);
    const std::string result = enginetest::runInChild([&]() -> std::string {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return "cannot drop privileges";
        return openError(path).toStdString();
    });
    EXPECT_EQ(result, "File access denied");
}

} // namespace
