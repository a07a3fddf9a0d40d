#include "help/rtf_words.h"

#include <string_view>
#include <unordered_map>

namespace help {

namespace {

using W = RtfWord;

struct Entry
{
    std::string_view name;
    RtfWordInfo info;
};

// Destinations that hold no text of the document: tables, document properties, headers and
// footers, notes, field instructions, list definitions and the like. Words a writer marks
// with \* are skipped anyway when unknown; these are listed for writers that leave it out.
constexpr std::string_view kSkipped[] = {
    "aftnsep",
    "aftnsepc",
    "annotation",
    "atnauthor",
    "atnid",
    "bkmkend",
    "bkmkstart",
    "blipuid",
    "colorschememapping",
    "datastore",
    "do",
    "docvar",
    "falt",
    "fchars",
    "filetbl",
    "fldinst",
    "footer",
    "footerf",
    "footerl",
    "footerr",
    "footnote",
    "ftnsep",
    "ftnsepc",
    "generator",
    "header",
    "headerf",
    "headerl",
    "headerr",
    "info",
    "latentstyles",
    "lchars",
    "listoverridetable",
    "listtable",
    "mmathPr",
    "nonshppict",
    "objdata",
    "panose",
    "pgdsctbl",
    "pgptbl",
    "pn",
    "pnseclvl",
    "private",
    "protusertbl",
    "revtbl",
    "rsidtbl",
    "stylesheet",
    "tc",
    "template",
    "themedata",
    "txe",
    "userprops",
    "wgrffmtfilter",
    "xe",
    "xmlnstbl",
};

const std::unordered_map<std::string_view, RtfWordInfo>& table()
{
    static const std::unordered_map<std::string_view, RtfWordInfo> words = [] {
        const Entry entries[] = {
            {"fonttbl", {W::FontTable}},
            {"colortbl", {W::ColourTable}},
            {"pict", {W::Picture}},
            {"shppict", {W::ReadThrough}},
            {"ud", {W::ReadThrough}},
            {"upr", {W::UnicodePair}},
            {"ansi", {W::Ansi}},
            {"mac", {W::Mac}},
            {"pc", {W::Pc}},
            {"pca", {W::Pca}},
            {"ansicpg", {W::AnsiCodePage}},
            {"deff", {W::DefaultFont}},
            {"fcharset", {W::FontCharset}},
            {"cpg", {W::FontCodePage}},
            {"red", {W::Red}},
            {"green", {W::Green}},
            {"blue", {W::Blue}},
            {"par", {W::Paragraph}},
            {"page", {W::Paragraph}},
            {"sect", {W::Paragraph}},
            {"row", {W::Paragraph}},
            {"line", {W::Line}},
            {"lbr", {W::Line}},
            {"tab", {W::Tab}},
            {"cell", {W::Cell}},
            {"nestcell", {W::Cell}},
            {"emdash", {W::Character, 0x2014}},
            {"endash", {W::Character, 0x2013}},
            {"emspace", {W::Character, 0x2003}},
            {"enspace", {W::Character, 0x2002}},
            {"qmspace", {W::Character, 0x2005}},
            {"bullet", {W::Character, 0x2022}},
            {"lquote", {W::Character, 0x2018}},
            {"rquote", {W::Character, 0x2019}},
            {"ldblquote", {W::Character, 0x201C}},
            {"rdblquote", {W::Character, 0x201D}},
            {"zwj", {W::Character, 0x200D}},
            {"zwnj", {W::Character, 0x200C}},
            {"ltrmark", {W::Character, 0x200E}},
            {"rtlmark", {W::Character, 0x200F}},
            {"u", {W::Unicode}},
            {"uc", {W::UnicodeSkip}},
            {"plain", {W::Plain}},
            {"f", {W::Font}},
            {"fs", {W::FontSize}},
            {"b", {W::Bold}},
            {"i", {W::Italic}},
            {"ulnone", {W::UnderlineNone}},
            {"strike", {W::Strike}},
            {"striked", {W::Strike}},
            {"cf", {W::Foreground}},
            {"cb", {W::Background}},
            {"highlight", {W::Background}},
            {"chcbpat", {W::Background}},
            {"super", {W::Superscript}},
            {"sub", {W::Subscript}},
            {"nosupersub", {W::NoSuperSub}},
            {"up", {W::Raised}},
            {"dn", {W::Lowered}},
            {"v", {W::Hidden}},
            {"pard", {W::ParagraphDefaults}},
            {"ql", {W::AlignLeft}},
            {"qc", {W::AlignCentre}},
            {"qr", {W::AlignRight}},
            {"qj", {W::AlignJustify}},
            {"li", {W::LeftIndent}},
            {"lin", {W::LeftIndent}},
            {"ri", {W::RightIndent}},
            {"rin", {W::RightIndent}},
            {"fi", {W::FirstIndent}},
            {"sb", {W::SpaceBefore}},
            {"sa", {W::SpaceAfter}},
            {"tx", {W::TabStop}},
            {"tqr", {W::TabRight}},
            {"tqc", {W::TabCentre}},
            {"tqdec", {W::TabDecimal}},
            {"pngblip", {W::PngBlip}},
            {"jpegblip", {W::JpegBlip}},
            {"wmetafile", {W::OtherBlip}},
            {"emfblip", {W::OtherBlip}},
            {"macpict", {W::OtherBlip}},
            {"pmmetafile", {W::OtherBlip}},
            {"dibitmap", {W::OtherBlip}},
            {"wbitmap", {W::OtherBlip}},
            {"picwgoal", {W::PictureGoalWidth}},
            {"pichgoal", {W::PictureGoalHeight}},
            {"picscalex", {W::PictureScaleX}},
            {"picscaley", {W::PictureScaleY}},
        };
        std::unordered_map<std::string_view, RtfWordInfo> map;
        for (const Entry& e : entries)
            map.emplace(e.name, e.info);
        for (std::string_view name : kSkipped)
            map.emplace(name, RtfWordInfo{W::Skipped});
        // Every kind of underline (dotted, double, wavy ...) shows as a plain underline.
        for (std::string_view name :
             {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
              "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
              "ulwave"})
            map.emplace(name, RtfWordInfo{W::Underline});
        return map;
    }();
    return words;
}

} // namespace

RtfWordInfo lookupRtfWord(QByteArrayView name)
{
    const auto& words = table();
    const auto it = words.find(std::string_view(name.data(), static_cast<size_t>(name.size())));
    return it == words.end() ? RtfWordInfo{} : it->second;
}

} // namespace help
