#include "help/rtf_state.h"

#include <QList>

namespace help {

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

} // namespace help
