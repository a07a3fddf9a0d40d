// Writing and reading back, and rich text made by other programs.
#include "help/rtf_reader.h"
#include "help/rtf_writer.h"
#include "tests/help/document_description.h"

#include <QImage>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString roundTrip(const QTextDocument& document)
{
    QTextDocument back;
    help::readRtf(help::writeRtf(document), back);
    return doctest::describe(back);
}

QTextCharFormat run(const QString& family, double points)
{
    QTextCharFormat format;
    format.setFontFamilies({family});
    format.setFontPointSize(points);
    return format;
}

TEST(RtfRoundTrip, writtenDocumentReadsBackTheSame)
{
    QTextDocument document;
    QTextCursor cursor(&document);

    QTextBlockFormat heading;
    heading.setAlignment(Qt::AlignHCenter);
    heading.setBottomMargin(6);
    cursor.setBlockFormat(heading);
    QTextCharFormat title = run(u"Arial"_s, 16);
    title.setFontWeight(QFont::Bold);
    title.setForeground(QColor(0x15, 0x6A, 0x4F));
    cursor.insertText(u"Kop {met} \\haakjes"_s, title);

    QTextBlockFormat body;
    body.setLeftMargin(24);
    body.setRightMargin(12);
    body.setTextIndent(-12);
    body.setTopMargin(4);
    body.setBottomMargin(8);
    body.setTabPositions(
        {QTextOption::Tab(12, QTextOption::LeftTab), QTextOption::Tab(96, QTextOption::RightTab)});
    cursor.insertBlock(body, run(u"Liberation Serif"_s, 10));
    const QTextCharFormat plain = run(u"Liberation Serif"_s, 10);
    cursor.insertText(u"\u2022\tgewoon "_s, plain);
    QTextCharFormat styled = plain;
    styled.setFontItalic(true);
    styled.setFontUnderline(true);
    styled.setFontStrikeOut(true);
    cursor.insertText(u"schuin"_s, styled);
    QTextCharFormat coloured = run(u"Courier New"_s, 9.5);
    coloured.setForeground(QColor(0xBB, 0, 0));
    coloured.setBackground(QColor(0xFF, 0xFF, 0x80));
    cursor.insertText(u" \u20AC -12,50 caf\u00E9 \u03A9 \U0001F600 \u00A0\u00AD\u2011"_s, coloured);
    QTextCharFormat raised = plain;
    raised.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    cursor.insertText(u"2"_s, raised);
    QTextCharFormat lowered = plain;
    lowered.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    cursor.insertText(u"x\u2028na regel"_s, lowered);

    // An empty paragraph keeps the size of its mark.
    cursor.insertBlock(QTextBlockFormat(), run(u"Arial"_s, 20));

    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    cursor.insertBlock(right, plain);
    document.addResource(QTextDocument::ImageResource, QUrl(u"logo"_s),
                         QImage::fromData(doctest::pngBytes(4, 2)));
    QTextImageFormat picture;
    picture.setName(u"logo"_s);
    picture.setWidth(40);
    picture.setHeight(20);
    cursor.insertImage(picture);
    cursor.insertText(u" na het plaatje"_s, plain);

    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    cursor.insertBlock(justified, plain);
    cursor.insertText(u"Slot."_s, plain);

    const QString expected = doctest::describe(document);
    EXPECT_EQ(roundTrip(document), expected);
    EXPECT_EQ(document.blockCount(), 5);
}

// Whatever the reader makes of a file, the writer keeps.
TEST(RtfRoundTrip, filesOfOtherProgramsSurviveWriteAndRead)
{
    for (const char* name :
         {"help-sample.rtf", "libreoffice-writer.rtf", "richedit20.rtf", "richedit10.rtf"}) {
        QTextDocument document;
        help::readRtf(doctest::testData(name), document);
        ASSERT_FALSE(document.isEmpty()) << name;
        EXPECT_EQ(roundTrip(document), doctest::describe(document)) << name;
    }
}

TEST(RtfRoundTrip, writerOutputIsSevenBitRichText)
{
    QTextDocument document;
    // Above U+7FFF the number is signed 16-bit, as readers take it: U+AC00 is -21504.
    document.setPlainText(u"caf\u00E9 \u03A9 \uAC00"_s);
    const QByteArray rtf = help::writeRtf(document);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_TRUE(rtf.contains("caf\\'e9 \\u937? \\u-21504?")) << rtf.toStdString();
    EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char c) { return c > 0; }));
}

// The help text as LibreOffice Writer sees it: the same text as LibreOffice's own conversion
// to text, and LibreOffice's rich text of it reads back to the same document. LibreOffice
// keeps no size for paragraph marks and rounds highlights to its sixteen highlight colours.
TEST(RtfInterop, helpTextAgreesWithLibreOffice)
{
    QTextDocument ours;
    help::readRtf(doctest::testData("help-sample.rtf"), ours);
    QString converted = QString::fromUtf8(doctest::testData("help-sample-libreoffice.txt"));
    converted.remove(QChar::ByteOrderMark).remove(u'\r');
    EXPECT_EQ(doctest::plainText(ours) + u'\n', converted);

    QTextDocument theirs;
    help::readRtf(doctest::testData("help-sample-libreoffice.rtf"), theirs);
    const auto comparable = [](QString description) {
        description.remove(QRegularExpression(u" mark [0-9.]+"_s));
        return description.replace(QRegularExpression(u"bg=#[0-9a-f]{6}"_s), u"bg"_s);
    };
    EXPECT_EQ(comparable(doctest::describe(theirs)), comparable(doctest::describe(ours)));
}

struct Expected
{
    const char* file;
    QString text;      // of one fragment
    QString format;    // its summary
    QString paragraph; // its paragraph's summary
};

TEST(RtfInterop, formattingOfOtherProgramsIsRead)
{
    const Expected cases[] = {
        {"libreoffice-writer.rtf", u"Kop \u00E9\u00E9n: overzicht"_s,
         u"Liberation Serif 24 b fg=#000000"_s, u"L sb=16 sa=8"_s},
        {"libreoffice-writer.rtf", u"-12,50 \u20AC"_s, u"Liberation Serif 12 fg=#bb0000"_s,
         u"L sa=9.3"_s},
        {"libreoffice-writer.rtf", u"Gecentreerd in 18 punt"_s, u"Liberation Sans 18 fg=#000000"_s,
         u"C sa=9.3"_s},
        {"libreoffice-writer.rtf", u"Ingesprongen alinea, een inch van links."_s,
         u"Liberation Serif 12 fg=#000000"_s, u"L li=96 sa=9.3"_s},
        {"libreoffice-writer.rtf",
         u"Tekens: caf\u00E9, na\u00EFef, Z\u00FCrich, \u201Caanhalingstekens\u201D \u2013 en "
         u"\u2014 streepjes, \u03A9, \u041F\u0440\u0438\u0432\u0435\u0442, "
         u"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1, \u65E5\u672C\u8A9E, \U0001F600."_s,
         u"Liberation Serif 12 fg=#000000"_s, u"L sa=9.3"_s},
        {"libreoffice-writer.rtf", u"Gemarkeerde tekst"_s,
         u"Liberation Serif 12 fg=#000000 bg=#ffff80"_s, u"L sa=9.3"_s},
        {"libreoffice-writer.rtf", u"\u2022\t"_s, u"OpenSymbol 12"_s,
         u"L li=47.3 fi=-18.9 tabs=18.9L"_s},
        {"libreoffice-writer.rtf", u"voorbeeldsite"_s, u"Liberation Serif 12 u fg=#000080"_s,
         u"L sa=9.3"_s},
        {"richedit20.rtf", u"Titel van de uitleg"_s, u"Arial 14 b"_s, u"C"_s},
        {"richedit20.rtf", u"geel gemarkeerd"_s, u"MS Sans Serif 8.5 bg=#ffff00"_s, u"L"_s},
        {"richedit20.rtf", u"\u2022\t"_s, u"Symbol 8.5"_s, u"L li=48 fi=-48 tabs=48L"_s},
        {"richedit20.rtf", u"\u041F\u0440\u0438\u0432\u0435\u0442"_s, u"Arial CYR 10 i"_s,
         u"L li=24 ri=24 sb=8 sa=4"_s},
        {"richedit10.rtf", u"Kop in marineblauw"_s, u"Arial 12 b fg=#000080"_s, u"L"_s},
    };
    for (const Expected& c : cases) {
        QTextDocument document;
        help::readRtf(doctest::testData(c.file), document);
        const QTextFragment fragment = doctest::fragmentWithText(document, c.text);
        ASSERT_TRUE(fragment.isValid()) << c.file << ": " << c.text.toStdString();
        EXPECT_EQ(doctest::charSummary(document, fragment), c.format) << c.text.toStdString();
        EXPECT_EQ(doctest::blockSummary(document.findBlock(fragment.position())), c.paragraph)
            << c.text.toStdString();
    }
}

TEST(RtfInterop, libreOfficePictureIsShownAtItsSize)
{
    QTextDocument document;
    help::readRtf(doctest::testData("libreoffice-writer.rtf"), document);
    EXPECT_TRUE(doctest::describe(document).contains(u"picture 32x16 of 16x8"_s));
}

} // namespace
