#pragma once

#include "help/rtf_words.h"

#include <QColor>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <map>
#include <vector>

namespace help {

// Rich text measures in twips (1/20 point); the document in pixels at 96 per inch.
inline constexpr double kTwipsPerPixel = 15.0;
// Indents, spacing and tab stops are held to 22 inches, the page size rich text allows, so
// that no file can push the layout out of its coordinate range.
inline constexpr int kMaxTwips = 31680;

// Character formatting as the groups of rich text carry it.
struct RtfCharState
{
    int font = -1; // number in the font table; -1: the default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int foreground = 0; // index in the colour table; 0: automatic
    int background = 0;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;

    bool operator==(const RtfCharState&) const = default;
};

struct RtfTabStop
{
    int twips = 0;
    QTextOption::TabType type = QTextOption::LeftTab;
};

// Paragraph formatting; lengths in twips, tab stops from the left edge of the text.
struct RtfParaState
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0;
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
    std::vector<RtfTabStop> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
};

struct RtfFont
{
    QString name;
    int codePage = 0; // 0: the document's
};

// The font and colour tables of a document, and its defaults.
struct RtfTables
{
    std::map<int, RtfFont> fonts;
    std::vector<QColor> colours; // an invalid colour is the automatic one
    int defaultFont = 0;
    int codePage = 1252;

    int codePageOf(int font) const;
    QTextCharFormat charFormat(const RtfCharState& state) const;
};

QTextBlockFormat blockFormat(const RtfParaState& state);

struct RtfToken;
// Change the state as a formatting word says; false for words of another kind. Numbers are
// held to what the document can show.
bool applyCharacterWord(RtfCharState& state, RtfWord word, const RtfToken& token);
bool applyParagraphWord(RtfParaState& state, RtfWord word, const RtfToken& token);

} // namespace help
