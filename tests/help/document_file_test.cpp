// Files of the help window: rich or plain text in, rich text out, and the failure messages.
#include "help/document_file.h"
#include "help/help_error.h"
#include "tests/help/document_description.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The text a call leaves in a document that held "oud", or the message it threw.
template <typename Call> QString outcome(Call call)
{
    QTextDocument document;
    document.setPlainText(u"oud"_s);
    try {
        call(document);
    } catch (const help::HelpError& error) {
        return u"error: "_s + QString::fromUtf8(error.what()) + u" / "_s +
               doctest::plainText(document);
    }
    return doctest::plainText(document);
}

TEST(DocumentFile, readsRichOrPlainText)
{
    const struct
    {
        const char* name;
        QByteArray bytes;
        QString expected;
    } cases[] = {
        {"richText", "{\\rtf1 rijk}", u"rijk"_s},
        {"utf8WithLineEnds", "Caf\xC3\xA9\r\nregel\rdrie\n", u"Caf\u00E9\nregel\ndrie\n"_s},
        {"windows1252WhenNotUtf8", "Caf\xE9 \x80", u"Caf\u00E9 \u20AC"_s},
        {"utf8ByteOrderMark", "\xEF\xBB\xBFx\xC3\xA9", u"x\u00E9"_s},
        {"utf16ByteOrderMark", QByteArray("\xFF\xFEh\0i\0", 6), u"hi"_s},
        {"notQuiteRichText", " {\\rtf1 x}", u" {\\rtf1 x}"_s},
        {"empty", "", QString()},
        {"binaryIsNoText", QByteArray("PK\x03\x04\0\0", 6),
         u"error: Failed to Load Stream / oud"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outcome([&](QTextDocument& d) { help::readDocument(c.bytes, d); }), c.expected)
            << c.name;
}

TEST(DocumentFile, loadAndSaveMessages)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"weg.rtf"_s);
    EXPECT_EQ(outcome([&](QTextDocument& d) { help::loadDocument(missing, d); }),
              u"error: Cannot open file "_s + missing + u" / oud"_s);
    EXPECT_EQ(outcome([&](QTextDocument& d) { help::loadDocument(dir.path(), d); }),
              u"error: Cannot open file "_s + dir.path() + u" / oud"_s);

    const QString noFolder = dir.filePath(u"geen/map.rtf"_s);
    EXPECT_EQ(outcome([&](QTextDocument& d) { help::saveDocument(d, noFolder); }),
              u"error: Cannot create file "_s + noFolder + u" / oud"_s);
    EXPECT_EQ(outcome([&](QTextDocument& d) { help::saveDocument(d, dir.path()); }),
              u"error: Cannot create file "_s + dir.path() + u" / oud"_s);

    // Saving replaces an existing file; loading it gives the text back.
    const QString path = dir.filePath(u"uitleg.rtf"_s);
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    EXPECT_EQ(outcome([&](QTextDocument& d) { help::saveDocument(d, path); }), u"oud"_s);
    EXPECT_EQ(outcome([&](QTextDocument& d) { help::loadDocument(path, d); }), u"oud"_s);
    EXPECT_LT(QFileInfo(path).size(), 1000);
}

// A full device cannot take the text; it must stay the device. Root could replace it with a
// file, so the save runs as an unprivileged user then.
TEST(DocumentFile, writeFailureIsReportedAndTheDeviceStays)
{
    const QString full = u"/dev/full"_s;
    if (!QFileInfo::exists(full) || QFileInfo(full).isFile())
        GTEST_SKIP() << "no full device";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        const QString result = outcome([&](QTextDocument& d) { help::saveDocument(d, full); });
        _exit(result == u"error: Failed to Save Stream / oud"_s ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "cannot become nobody";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(QFileInfo(full).isFile());
}

} // namespace
