#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class QPainter;
class QRect;

namespace views {

// Draws one-line cell texts with the same pixels as
// QPainter::drawText(rect, alignment | Qt::AlignVCenter | Qt::TextSingleLine, text) under a clip
// to the cell, at a fraction of its cost. drawText lays out and shapes every text afresh; a grid
// page has hundreds of short Latin texts, so this keeps each character's glyph and the advance of
// each character pair (kerning included) as Qt's own shaping gave them, and places the glyphs by
// adding those up. Texts it cannot reproduce that way (characters beyond Latin-1, controls,
// ligatures, font fallback, trailing blanks) go through drawText itself.
class CellTextPainter
{
public:
    explicit CellTextPainter(const QFont& font);

    const QFont& font() const { return m_font; }

    // Draws text in the painter's pen inside textRect, left or right aligned by alignment and
    // vertically centred, clipped to clipRect. Leaves the painter's state as it found it.
    void draw(QPainter& painter, const QRect& clipRect, const QRect& textRect,
              Qt::Alignment alignment, const QString& text);

private:
    static constexpr int kChars = 256;               // Latin-1
    static constexpr std::int16_t kUnknown = -32768; // not asked of Qt yet
    static constexpr std::int16_t kComplex = -32767; // Qt's shaping does more than add advances

    struct Glyph
    {
        bool known = false;
        bool simple = false; // one glyph of the primary font, nothing else
        quint32 index = 0;
        std::int32_t advance = 0;  // 1/64 pixel, as Qt's fixed-point layout keeps it
        std::int32_t overhang = 0; // what the glyph adds to a line's natural width when last
        float inkLeft = 0, inkRight = 0, inkTop = 0, inkBottom = 0; // relative to the pen
    };

    const Glyph& glyph(char16_t c);
    std::int16_t step(char16_t first, char16_t second);
    bool layout(const QString& text);
    void drawSlow(QPainter& painter, const QRect& clipRect, const QRect& textRect,
                  Qt::Alignment alignment, const QString& text) const;

    QFont m_font;
    QRawFont m_raw;
    qreal m_ascent = 0;
    qreal m_height = 0; // ascent + descent, the height drawText centres
    std::array<Glyph, kChars> m_glyphs{};
    std::vector<std::int16_t> m_steps; // kChars x kChars pen advances from one glyph to the next

    // The layout of the text being drawn, kept to reuse the allocations.
    QList<quint32> m_indexes;
    QList<QPointF> m_positions;
    std::int32_t m_advance = 0; // 1/64 pixel: the sum of advances, which aligns the text
    std::int32_t m_width = 0;   // the natural width, which decides whether drawText clips
    float m_inkLeft = 0, m_inkRight = 0, m_inkTop = 0, m_inkBottom = 0;
    QGlyphRun m_run;
};

} // namespace views
