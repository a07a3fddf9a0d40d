#include "help/rtf_state.h"

#include "help/rtf_tokenizer.h"

#include <QList>

namespace help {

namespace {

constexpr int kMaxTabStops = 64;

int twips(const RtfToken& token)
{
    return std::clamp(token.parameter, -kMaxTwips, kMaxTwips);
}

bool toggle(const RtfToken& token)
{
    return !token.hasParameter || token.parameter != 0;
}

} // namespace

int RtfTables::codePageOf(int font) const
{
    const auto it = fonts.find(font < 0 ? defaultFont : font);
    if (it == fonts.end() || it->second.codePage == 0)
        return codePage;
    return it->second.codePage;
}

QTextCharFormat RtfTables::charFormat(const RtfCharState& state) const
{
    QTextCharFormat format;
    auto font = fonts.find(state.font < 0 ? defaultFont : state.font);
    if (font == fonts.end())
        font = fonts.find(defaultFont);
    if (font != fonts.end() && !font->second.name.isEmpty())
        format.setFontFamilies(QStringList{font->second.name});
    format.setFontPointSize(state.halfPoints / 2.0);
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(state.italic);
    format.setFontUnderline(state.underline);
    format.setFontStrikeOut(state.strike);
    const auto colour = [this](int index) {
        return index > 0 && index < int(colours.size()) ? colours[size_t(index)] : QColor();
    };
    if (const QColor c = colour(state.foreground); c.isValid())
        format.setForeground(c);
    if (const QColor c = colour(state.background); c.isValid())
        format.setBackground(c);
    format.setVerticalAlignment(state.vertical);
    return format;
}

QTextBlockFormat blockFormat(const RtfParaState& state)
{
    QTextBlockFormat format;
    format.setAlignment(state.alignment);
    format.setLeftMargin(state.left / kTwipsPerPixel);
    format.setRightMargin(state.right / kTwipsPerPixel);
    format.setTextIndent(state.first / kTwipsPerPixel);
    format.setTopMargin(state.before / kTwipsPerPixel);
    format.setBottomMargin(state.after / kTwipsPerPixel);
    // Rich text measures tab stops from the left edge of the text, the document from where the
    // line begins, so stops before the first line's start have no place.
    const int start = state.left + state.first;
    QList<QTextOption::Tab> tabs;
    for (const RtfTabStop& tab : state.tabs)
        if (tab.twips > start)
            tabs.append(QTextOption::Tab((tab.twips - start) / kTwipsPerPixel, tab.type));
    // A hanging indent has a tab stop at the left indent, so that a list's "bullet, tab, text"
    // lines up its texts.
    if (state.first < 0 && state.left > 0 &&
        std::none_of(state.tabs.begin(), state.tabs.end(),
                     [&](const RtfTabStop& t) { return t.twips == state.left; }))
        tabs.append(QTextOption::Tab(-state.first / kTwipsPerPixel, QTextOption::LeftTab));
    std::sort(tabs.begin(), tabs.end(), [](const QTextOption::Tab& a, const QTextOption::Tab& b) {
        return a.position < b.position;
    });
    if (!tabs.isEmpty())
        format.setTabPositions(tabs);
    return format;
}

bool applyCharacterWord(RtfCharState& chars, RtfWord word, const RtfToken& token)
{
    switch (word) {
    case RtfWord::Plain:
        chars = RtfCharState();
        break;
    case RtfWord::Font:
        chars.font = std::max(token.parameter, 0);
        break;
    case RtfWord::FontSize:
        // Qt takes point sizes up to 1638; rich text allows the same range.
        chars.halfPoints = token.hasParameter ? std::clamp(token.parameter, 2, 3276) : 24;
        break;
    case RtfWord::Bold:
        chars.bold = toggle(token);
        break;
    case RtfWord::Italic:
        chars.italic = toggle(token);
        break;
    case RtfWord::Underline:
        chars.underline = toggle(token);
        break;
    case RtfWord::UnderlineNone:
        chars.underline = false;
        break;
    case RtfWord::Strike:
        chars.strike = toggle(token);
        break;
    case RtfWord::Hidden:
        chars.hidden = toggle(token);
        break;
    case RtfWord::Foreground:
        chars.foreground = std::max(token.parameter, 0);
        break;
    case RtfWord::Background:
        chars.background = std::max(token.parameter, 0);
        break;
    case RtfWord::Superscript:
        chars.vertical = QTextCharFormat::AlignSuperScript;
        break;
    case RtfWord::Subscript:
        chars.vertical = QTextCharFormat::AlignSubScript;
        break;
    case RtfWord::NoSuperSub:
        chars.vertical = QTextCharFormat::AlignNormal;
        break;
    case RtfWord::Raised:
    case RtfWord::Lowered:
        // Without a parameter the shift is three points; zero ends it.
        if (token.hasParameter && token.parameter == 0)
            chars.vertical = QTextCharFormat::AlignNormal;
        else
            chars.vertical = word == RtfWord::Raised ? QTextCharFormat::AlignSuperScript
                                                     : QTextCharFormat::AlignSubScript;
        break;
    default:
        return false;
    }
    return true;
}

bool applyParagraphWord(RtfParaState& para, RtfWord word, const RtfToken& token)
{
    switch (word) {
    case RtfWord::ParagraphDefaults:
        para = RtfParaState();
        break;
    case RtfWord::AlignLeft:
        para.alignment = Qt::AlignLeft;
        break;
    case RtfWord::AlignCentre:
        para.alignment = Qt::AlignHCenter;
        break;
    case RtfWord::AlignRight:
        para.alignment = Qt::AlignRight;
        break;
    case RtfWord::AlignJustify:
        para.alignment = Qt::AlignJustify;
        break;
    case RtfWord::LeftIndent:
        para.left = twips(token);
        break;
    case RtfWord::RightIndent:
        para.right = twips(token);
        break;
    case RtfWord::FirstIndent:
        para.first = twips(token);
        break;
    case RtfWord::SpaceBefore:
        para.before = std::max(twips(token), 0);
        break;
    case RtfWord::SpaceAfter:
        para.after = std::max(twips(token), 0);
        break;
    case RtfWord::TabRight:
        para.nextTabType = QTextOption::RightTab;
        break;
    case RtfWord::TabCentre:
        para.nextTabType = QTextOption::CenterTab;
        break;
    case RtfWord::TabDecimal:
        para.nextTabType = QTextOption::DelimiterTab;
        break;
    case RtfWord::TabStop:
        if (int(para.tabs.size()) < kMaxTabStops)
            para.tabs.push_back({std::max(twips(token), 0), para.nextTabType});
        para.nextTabType = QTextOption::LeftTab;
        break;
    default:
        return false;
    }
    return true;
}

} // namespace help
