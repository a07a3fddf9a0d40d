// Reading rich text: control-word families, code pages, Unicode, destinations, damaged input.
#include "help/rtf_reader.h"
#include "tests/help/document_description.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString readText(const QByteArray& rtf)
{
    QTextDocument document;
    help::readRtf(rtf, document);
    return doctest::plainText(document);
}

struct TextCase
{
    const char* name;
    QByteArray rtf;
    QString expected;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.name;
}

class RtfText : public testing::TestWithParam<TextCase>
{
};

TEST_P(RtfText, readsTheText)
{
    EXPECT_EQ(readText(GetParam().rtf), GetParam().expected);
}

const TextCase kTextCases[] = {
    {"escapes", R"({\rtf1 a\\b\{c\}d\~e\-f\_g})", u"a\\b{c}d\u00A0e\u00ADf\u2011g"_s},
    {"namedCharacters", R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote x})",
     u"\u2014\u2013\u2022\u2018\u2019\u201C\u201Dx"_s},
    {"breaksTabsAndLines", R"({\rtf1 a\line b\tab c\par d\cell e\row f})", u"a\nb\tc\nd\te\nf"_s},
    {"lastParagraphMarkOpensNoParagraph", R"({\rtf1 a\par b\par })", u"a\nb"_s},
    {"emptyParagraphsStay", R"({\rtf1 a\par\par b})", u"a\n\nb"_s},
    {"backslashBeforeLineBreakIsParagraph", "{\\rtf1 a\\\nb}", u"a\nb"_s},
    {"lineBreaksInTheFileAreNotText", "{\\rtf1 a\r\nb\tc}", u"ab\tc"_s},
    {"escapedControlCharactersAreNotText", R"({\rtf1 a\'04\'0db\u13?c\'09d})", u"abc\td"_s},
    {"windows1252ByDefault", R"({\rtf1 \'80\'e9\'9f})", u"\u20AC\u00E9\u0178"_s},
    {"rawHighBytesUseTheCodePage", "{\\rtf1\\ansi\\ansicpg1250 \x9a}", u"\u0161"_s},
    {"ansiCodePage", R"({\rtf1\ansi\ansicpg1251 \'c0\'e1})", u"\u0410\u0431"_s},
    {"fontCharsetOverridesDocument",
     R"({\rtf1\ansi{\fonttbl{\f0 A;}{\f1\fcharset238 B;}}\f1\'b9\f0\'b9})", u"\u0105\u00B9"_s},
    {"doubleByteCodePage", R"({\rtf1\ansi\ansicpg932 \'82\'a0x})", u"\u3042x"_s},
    {"symbolFontBullet", R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}{\f1\'b7}})", u"\u2022"_s},
    {"unicodeSkipsOneFallback", R"({\rtf1 \u8364?x})", u"\u20ACx"_s},
    {"unicodeSkipsHexFallback", R"({\rtf1 \u8364\'80x})", u"\u20ACx"_s},
    {"unicodeSkipCountZero", R"({\rtf1\uc0\u8364 x})", u"\u20ACx"_s},
    {"unicodeSkipCountTwo", R"({\rtf1\uc2\u20320\'c4\'e3x})", u"\u4F60x"_s},
    {"unicodeNegativeAndSurrogates", R"({\rtf1 \u-4064?\u-10179?\u-8704?})", u"\uF020\U0001F600"_s},
    {"loneSurrogateIsReplaced", R"({\rtf1 \u-10179?x})", u"\uFFFDx"_s},
    {"unicodeSkipEndsWithGroup", R"({\rtf1\uc3{\u8364}ab})", u"\u20ACab"_s},
    {"skipCountIsScopedToTheGroup", R"({\rtf1{\uc0 \u8364}\u8364?x})", u"\u20AC\u20ACx"_s},
    {"ignorableDestination", R"({\rtf1{\*\unknown hidden}{\*\generator Writer;}shown})",
     u"shown"_s},
    {"knownSkippedDestinations",
     R"({\rtf1{\info{\title T}}{\stylesheet{\s1 Kop;}}{\header H}{\footnote F}{\pict\wmetafile8 0102}x})",
     u"x"_s},
    {"fieldShowsItsResult", R"({\rtf1{\field{\*\fldinst HYPERLINK "u"}{\fldrslt link}}})",
     u"link"_s},
    {"listTextIsShown", R"({\rtf1{\listtext \bullet\tab}Punt{\*\pn\pnlvlblt{\pntxtb x}}})",
     u"\u2022\tPunt"_s},
    {"unicodePairShowsOnlyItsUnicodePart", R"({\rtf1{\upr{ansi}{\*\ud{\u937?}}}})", u"\u03A9"_s},
    {"hiddenText", R"({\rtf1 a{\v hidden}b\v c\v0 d})", u"abd"_s},
    {"binaryDataIsSkipped", "{\\rtf1 a\\bin4 {}\\\\b}", u"ab"_s},
    {"binaryLongerThanFile", "{\\rtf1 a\\bin99999999 xyz", u"a"_s},
    {"textAfterTheDocumentIsIgnored", R"({\rtf1 a}b)", u"a"_s},
    {"missingClosingBraces", R"({\rtf1{\b a{\i b)", u"ab"_s},
    {"extraClosingBraces", R"({\rtf1{a}}}}b)", u"a"_s},
    {"truncatedAfterBackslash", "{\\rtf1 a\\", u"a"_s},
    {"hexEscapeWithoutDigits", R"({\rtf1 a\'zz})", u"azz"_s},
    {"hugeParameters",
     R"({\rtf1\fs99999999999999999999\uc-99999999999\u99999999999 a\li-999999999999 b})",
     u"\uFFFDab"_s},
    {"longControlWordName", "{\\rtf1 a\\" + QByteArray(5000, 'x') + "1234 b}", u"ab"_s},
};

INSTANTIATE_TEST_SUITE_P(Reader, RtfText, testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Character formatting, read off the fragment "x".
struct FormatCase
{
    const char* name;
    QByteArray body;
    QString expected;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.name;
}

class RtfCharacterFormat : public testing::TestWithParam<FormatCase>
{
};

TEST_P(RtfCharacterFormat, formatsTheText)
{
    const QByteArray rtf =
        R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\fmodern Courier New;}})"
        R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;}a\par )" +
        GetParam().body + "}";
    QTextDocument document;
    help::readRtf(rtf, document);
    const QTextFragment x = doctest::fragmentWithText(document, u"x"_s);
    ASSERT_TRUE(x.isValid()) << doctest::describe(document).toStdString();
    EXPECT_EQ(doctest::charSummary(document, x), GetParam().expected);
}

const FormatCase kFormatCases[] = {
    {"defaults", "x", u"Arial 12"_s},
    {"styles", "{\\b\\i\\ul\\strike x}", u"Arial 12 b i u s"_s},
    {"togglesOff", "{\\b\\i\\ul\\strike\\b0\\i0\\ul0\\strike0 x}", u"Arial 12"_s},
    {"underlineKindsAndNone", "{\\uldb x}{\\ul\\ulnone y}", u"Arial 12 u"_s},
    {"underlineColourIsNoUnderline", "{\\ulc1 x}", u"Arial 12"_s},
    {"sizeInHalfPoints", "{\\fs17 x}", u"Arial 8.5"_s},
    {"fontNumber", "{\\f1 x}", u"Courier New 12"_s},
    {"unknownFontNumberIsDefault", "{\\f7 x}", u"Arial 12"_s},
    {"textColour", "{\\cf1 x}", u"Arial 12 fg=#ff0000"_s},
    {"automaticColour", "{\\cf1\\cf0 x}", u"Arial 12"_s},
    {"colourOutOfTable", "{\\cf9 x}", u"Arial 12"_s},
    {"backgroundWords", "{\\cb2 x}", u"Arial 12 bg=#0000ff"_s},
    {"highlight", "{\\highlight1 x}", u"Arial 12 bg=#ff0000"_s},
    {"shading", "{\\chcbpat2 x}", u"Arial 12 bg=#0000ff"_s},
    {"superscript", "{\\super x}", u"Arial 12 super"_s},
    {"raisedIsSuperscript", "{\\up6 x}", u"Arial 12 super"_s},
    {"loweredIsSubscript", "{\\dn4 x}", u"Arial 12 sub"_s},
    {"groupRestoresFormat", "{\\b\\cf1 a}x", u"Arial 12"_s},
    {"plainResets", "\\b\\i\\f1\\fs40\\cf2 \\plain x", u"Arial 12"_s},
};

INSTANTIATE_TEST_SUITE_P(Reader, RtfCharacterFormat, testing::ValuesIn(kFormatCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Paragraph formatting of the paragraph that holds "x".
class RtfParagraphFormat : public testing::TestWithParam<FormatCase>
{
};

TEST_P(RtfParagraphFormat, formatsTheParagraph)
{
    QTextDocument document;
    help::readRtf("{\\rtf1 first\\par " + GetParam().body + "}", document);
    const QTextBlock block =
        document.findBlock(doctest::fragmentWithText(document, u"x"_s).position());
    EXPECT_EQ(doctest::blockSummary(block), GetParam().expected);
}

const FormatCase kParagraphCases[] = {
    {"defaults", "x", u"L"_s},
    {"centre", "\\qc x", u"C"_s},
    {"right", "\\qr x", u"R"_s},
    {"justify", "\\qj x", u"J"_s},
    {"indentsAndSpacing", "\\li720\\ri360\\fi-360\\sb120\\sa240 x",
     u"L li=48 ri=24 fi=-24 sb=8 sa=16 tabs=24L"_s},
    {"indentsOfLibreOffice", "\\lin1440\\rin720 x", u"L li=96 ri=48"_s},
    {"tabStops", "\\tx1440\\tqr\\tx2880\\tqc\\tx4320 x", u"L tabs=96L,192R,288C"_s},
    {"hangingIndentHasItsTabOnce", "\\li720\\fi-360\\tx720 x", u"L li=48 fi=-24 tabs=24L"_s},
    {"tabStopsCountFromTheFirstLine", "\\li300\\fi300\\tx450\\tx900 x",
     u"L li=20 fi=20 tabs=20L"_s},
    {"propertiesHoldAtTheMark", "\\qc x\\qr\\par", u"R"_s},
    {"pardResets", "\\qc\\li720\\sa120\\tx100\\pard x", u"L"_s},
    {"paragraphFormatIsGroupScoped", "{\\qc}x", u"L"_s},
    {"indentsAreHeld", "\\li99999999\\sb-5 x", u"L li=2112"_s},
};

INSTANTIATE_TEST_SUITE_P(Reader, RtfParagraphFormat, testing::ValuesIn(kParagraphCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Pictures: PNG and JPEG are shown at their goal size, other kinds and damaged data not at all.
TEST(RtfPicture, showsPngAndJpegAtTheirSize)
{
    const QByteArray png = doctest::pngBytes(4, 2);
    QByteArray jpeg;
    {
        QImage image(6, 3, QImage::Format_RGB32);
        image.fill(Qt::green);
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG");
    }
    struct Case
    {
        const char* name;
        QByteArray rtf;
        QString expected;
    } cases[] = {
        {"pngAtGoal",
         "{\\rtf1 a{\\pict\\pngblip\\picw4\\pich2\\picwgoal600\\pichgoal300 " + png.toHex() + "}b}",
         u"  picture 40x20 of 4x2\n"_s},
        {"pngScaled",
         "{\\rtf1 {\\*\\shppict{\\pict\\pngblip\\picscalex50\\picscaley200 " + png.toHex() +
             "}}{\\nonshppict{\\pict\\wmetafile8 00}}}",
         u"  picture 2x4 of 4x2\n"_s},
        {"pngAsBinary",
         "{\\rtf1 {\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}}",
         u"  picture 4x2 of 4x2\n"_s},
        {"jpeg", "{\\rtf1 {\\pict\\jpegblip " + jpeg.toHex() + "}}", u"  picture 6x3 of 6x3\n"_s},
        {"metafileIsNotShown", "{\\rtf1 {\\pict\\emfblip " + png.toHex() + "}}", QString()},
        {"damagedPng", "{\\rtf1 {\\pict\\pngblip " + png.toHex().left(40) + "}}", QString()},
        {"truncatedInsidePicture", "{\\rtf1 {\\pict\\pngblip " + png.toHex(), QString()},
        {"absurdSizeIsHeld",
         "{\\rtf1 {\\pict\\pngblip\\picwgoal2000000000\\picscaley1 " + png.toHex() + "}}",
         u"  picture 2112x1 of 4x2\n"_s},
    };
    for (const Case& c : cases) {
        QTextDocument document;
        help::readRtf(c.rtf, document);
        QString pictures;
        for (const QString& line : doctest::describe(document).split(u'\n'))
            if (line.startsWith(u"  picture"))
                pictures += line + u'\n';
        EXPECT_EQ(pictures, c.expected) << c.name;
    }
}

// Deep nesting is cut off rather than followed, and any prefix of a real file reads.
TEST(RtfRobustness, deepNestingAndEveryPrefixOfARealFile)
{
    const int depth = 100000;
    const QByteArray nested =
        "{\\rtf1 a" + QByteArray(depth, '{') + "deep" + QByteArray(depth, '}') + "b}";
    EXPECT_EQ(readText(nested), u"ab"_s);

    const QByteArray real = doctest::testData("libreoffice-writer.rtf");
    ASSERT_FALSE(real.isEmpty());
    for (qsizetype length = 0; length <= real.size(); length += 61) {
        QTextDocument document;
        help::readRtf(real.left(length), document);
    }
}

} // namespace
