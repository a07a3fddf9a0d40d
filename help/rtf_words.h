#pragma once

#include <QByteArrayView>

namespace help {

// The control words the reader acts on; every other word is ignored.
enum class RtfWord
{
    Unknown,
    // Destinations.
    FontTable,
    ColourTable,
    Picture,
    Skipped,     // a destination whose content is never shown
    ReadThrough, // a destination whose content is shown as text (\shppict, \ud)
    UnicodePair, // \upr: shows only its \ud part
    // Document.
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    // Font and colour tables.
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    // Breaks and characters.
    Paragraph,
    Line,
    Tab,
    Cell,
    Character, // a named character such as \emdash
    Unicode,
    UnicodeSkip,
    // Character formatting.
    Plain,
    Font,
    FontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Foreground,
    Background,
    Superscript,
    Subscript,
    NoSuperSub,
    Raised,  // \up: raised text shows as superscript
    Lowered, // \dn: lowered text shows as subscript
    Hidden,
    // Paragraph formatting.
    ParagraphDefaults,
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    TabStop,
    TabRight,
    TabCentre,
    TabDecimal,
    // Pictures.
    PngBlip,
    JpegBlip,
    OtherBlip,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY,
};

struct RtfWordInfo
{
    RtfWord word = RtfWord::Unknown;
    char16_t character = 0; // of RtfWord::Character
};

RtfWordInfo lookupRtfWord(QByteArrayView name);

} // namespace help
