#include "views/cell_text_painter.h"

#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace views {

namespace {

std::int32_t toFixed(qreal pixels)
{
    return std::int32_t(std::lround(pixels * 64));
}

// Qt's own layout of a short text on one line: what drawText would draw.
QList<QGlyphRun> shaped(const QString& text, const QFont& font, qreal* advanceOut = nullptr,
                        qreal* widthOut = nullptr)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (advanceOut)
        *advanceOut = line.horizontalAdvance();
    if (widthOut)
        *widthOut = line.naturalTextWidth();
    return layout.glyphRuns();
}

bool isSpecial(char16_t c)
{
    // Controls are tab stops or invisible in drawText; the soft hyphen is hidden on one line.
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xAD;
}

} // namespace

CellTextPainter::CellTextPainter(const QFont& font)
    : m_font(font), m_steps(std::size_t(kChars) * kChars, kUnknown)
{
    QTextLayout probe(QStringLiteral("x"), m_font);
    probe.beginLayout();
    QTextLine line = probe.createLine();
    probe.endLayout();
    m_ascent = line.ascent();
    m_height = line.ascent() + line.descent();
    const QList<QGlyphRun> runs = probe.glyphRuns();
    if (!runs.isEmpty())
        m_raw = runs.front().rawFont();
    m_run.setRawFont(m_raw);
}

const CellTextPainter::Glyph& CellTextPainter::glyph(char16_t c)
{
    Glyph& g = m_glyphs[c];
    if (g.known)
        return g;
    g.known = true;
    if (isSpecial(c) || !m_raw.isValid())
        return g;
    qreal advance = 0, width = 0;
    const QList<QGlyphRun> runs = shaped(QString(QChar(c)), m_font, &advance, &width);
    if (runs.size() != 1 || runs.front().glyphIndexes().size() != 1 ||
        runs.front().rawFont() != m_raw)
        return g; // drawn from another font or as more than one glyph
    g.index = runs.front().glyphIndexes().front();
    g.advance = toFixed(advance);
    g.overhang = toFixed(width) - g.advance;
    const QRectF ink = m_raw.boundingRect(g.index);
    g.inkLeft = float(ink.left());
    g.inkRight = float(ink.right());
    g.inkTop = float(ink.top());
    g.inkBottom = float(ink.bottom());
    g.simple = true;
    return g;
}

std::int16_t CellTextPainter::step(char16_t first, char16_t second)
{
    std::int16_t& s = m_steps[std::size_t(first) * kChars + second];
    if (s != kUnknown)
        return s;
    s = kComplex;
    const QChar pair[] = {QChar(first), QChar(second)};
    const QList<QGlyphRun> runs = shaped(QString(pair, 2), m_font);
    if (runs.size() != 1 || runs.front().rawFont() != m_raw)
        return s;
    const QList<quint32> indexes = runs.front().glyphIndexes();
    const QList<QPointF> positions = runs.front().positions();
    if (indexes.size() != 2 || indexes[0] != m_glyphs[first].index ||
        indexes[1] != m_glyphs[second].index || positions[0].y() != positions[1].y())
        return s; // a ligature or a vertical shift: more than a pair of advances
    const std::int32_t advance = toFixed(positions[1].x() - positions[0].x());
    if (advance > kComplex && advance <= 32767)
        s = std::int16_t(advance);
    return s;
}

bool CellTextPainter::layout(const QString& text)
{
    const qsizetype n = text.size();
    m_indexes.clear();
    m_positions.clear();
    m_advance = 0;
    m_width = 0;
    if (n == 0)
        return true;
    // drawText aligns by the width without trailing blanks; dBase texts come trimmed anyway.
    if (text.back().isSpace())
        return false;
    const char16_t* chars = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype i = 0; i < n; ++i)
        if (chars[i] >= kChars || !glyph(chars[i]).simple)
            return false;
    m_indexes.resize(n);
    m_positions.resize(n);
    std::int32_t x = 0;
    float left = 0, right = 0, top = 0, bottom = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const Glyph& g = m_glyphs[chars[i]];
        const float pen = float(x) / 64;
        left = i == 0 ? pen + g.inkLeft : std::min(left, pen + g.inkLeft);
        right = i == 0 ? pen + g.inkRight : std::max(right, pen + g.inkRight);
        top = i == 0 ? g.inkTop : std::min(top, g.inkTop);
        bottom = i == 0 ? g.inkBottom : std::max(bottom, g.inkBottom);
        m_indexes[i] = g.index;
        m_positions[i] = QPointF(qreal(x) / 64, m_ascent);
        if (i + 1 < n) {
            const std::int16_t s = step(chars[i], chars[i + 1]);
            if (s == kComplex)
                return false;
            x += s;
        } else {
            m_width = x + g.advance + g.overhang;
            x += g.advance;
        }
    }
    m_advance = x;
    m_inkLeft = left;
    m_inkRight = right;
    m_inkTop = top;
    m_inkBottom = bottom;
    return true;
}

void CellTextPainter::draw(QPainter& painter, const QRect& clipRect, const QRect& textRect,
                           Qt::Alignment alignment, const QString& text)
{
    if (alignment & (Qt::AlignHCenter | Qt::AlignJustify) || !layout(text)) {
        drawSlow(painter, clipRect, textRect, alignment, text);
        return;
    }
    if (m_indexes.isEmpty())
        return;
    // The same origin as drawText: centred on ascent + descent, right aligned on the advance.
    const QRectF r(textRect);
    qreal x = r.x();
    if (alignment & Qt::AlignRight)
        x += r.width() - qreal(m_advance) / 64;
    const qreal top = r.y() + (r.height() - m_height) / 2;
    const QPointF origin(x, top);
    // drawText clips to its rectangle when the text's natural box does not fit in it.
    const qreal width = qreal(m_width) / 64;
    const QRectF box(alignment & Qt::AlignRight ? r.x() + r.width() - width : r.x(), top, width,
                     m_height);
    const QRect clip = r.contains(box) ? clipRect : clipRect & textRect;
    m_run.setGlyphIndexes(m_indexes);
    m_run.setPositions(m_positions);
    // Most texts lie well inside their cell; a clip per cell costs more than this test (a pixel
    // of margin for anti-aliasing).
    const qreal baseline = top + m_ascent;
    const QRectF ink(QPointF(x + m_inkLeft - 1, baseline + m_inkTop - 1),
                     QPointF(x + m_inkRight + 1, baseline + m_inkBottom + 1));
    if (QRectF(clip).contains(ink)) {
        painter.drawGlyphRun(origin, m_run);
    } else {
        painter.save();
        painter.setClipRect(clip);
        painter.drawGlyphRun(origin, m_run);
        painter.restore();
    }
    // Let go of the run's share of the lists, so the next layout reuses them without a copy.
    m_run.setGlyphIndexes({});
    m_run.setPositions({});
}

void CellTextPainter::drawSlow(QPainter& painter, const QRect& clipRect, const QRect& textRect,
                               Qt::Alignment alignment, const QString& text) const
{
    painter.save();
    painter.setClipRect(clipRect);
    painter.setFont(m_font);
    painter.drawText(textRect, int(alignment) | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter.restore();
}

} // namespace views
