#include "help/rtf_writer.h"

#include "help/code_page.h"
#include "help/rtf_state.h"
#include "store/dbase/cp1252.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>
#include <cmath>
#include <vector>

namespace help {

namespace {

class RtfWriter
{
public:
    explicit RtfWriter(const QTextDocument& document) : m_document(document) {}
    QByteArray write();

private:
    void collectTables();
    void header();
    void block(const QTextBlock& block);
    void characterWords(const QTextCharFormat& format);
    void text(const QString& text);
    void picture(const QTextImageFormat& format);

    int fontIndex(const QString& family);
    int colourIndex(const QColor& colour);
    QFont resolved(const QTextCharFormat& format) const;
    void word(const char* name) { m_out.append('\\').append(name); }
    void word(const char* name, long long value)
    {
        m_out.append('\\').append(name).append(QByteArray::number(value));
    }

    const QTextDocument& m_document;
    QByteArray m_out;
    std::vector<QString> m_fonts;
    std::vector<QColor> m_colours;
};

int twipsOf(double pixels)
{
    return int(
        std::lround(std::clamp(pixels * kTwipsPerPixel, -double(kMaxTwips), double(kMaxTwips))));
}

QByteArray RtfWriter::write()
{
    collectTables();
    header();
    for (QTextBlock b = m_document.begin(); b.isValid(); b = b.next())
        block(b);
    m_out.append("}\r\n");
    return m_out;
}

QFont RtfWriter::resolved(const QTextCharFormat& format) const
{
    return format.font().resolve(m_document.defaultFont());
}

void RtfWriter::collectTables()
{
    fontIndex(m_document.defaultFont().family());
    const auto formatTables = [this](const QTextCharFormat& format) {
        fontIndex(resolved(format).family());
        if (format.foreground().style() != Qt::NoBrush)
            colourIndex(format.foreground().color());
        if (format.background().style() != Qt::NoBrush)
            colourIndex(format.background().color());
    };
    for (QTextBlock b = m_document.begin(); b.isValid(); b = b.next()) {
        formatTables(b.charFormat());
        for (auto it = b.begin(); !it.atEnd(); ++it)
            formatTables(it.fragment().charFormat());
    }
}

int RtfWriter::fontIndex(const QString& family)
{
    const auto it = std::find(m_fonts.begin(), m_fonts.end(), family);
    if (it != m_fonts.end())
        return int(it - m_fonts.begin());
    m_fonts.push_back(family);
    return int(m_fonts.size()) - 1;
}

int RtfWriter::colourIndex(const QColor& colour)
{
    const QRgb rgb = colour.rgb();
    const auto it = std::find_if(m_colours.begin(), m_colours.end(),
                                 [rgb](const QColor& c) { return c.rgb() == rgb; });
    if (it != m_colours.end())
        return int(it - m_colours.begin()) + 1; // entry 0 is the automatic colour
    m_colours.push_back(colour);
    return int(m_colours.size());
}

void RtfWriter::header()
{
    m_out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl");
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        m_out.append("{");
        word("f", static_cast<long long>(i));
        word("fnil");
        word("fcharset", 0);
        m_out.append(' ');
        text(m_fonts[i]);
        m_out.append(";}");
    }
    m_out.append("}\r\n{\\colortbl;");
    for (const QColor& c : m_colours) {
        word("red", c.red());
        word("green", c.green());
        word("blue", c.blue());
        m_out.append(';');
    }
    m_out.append("}\r\n");
}

void RtfWriter::block(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    word("pard");
    const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        word("qc");
    else if (horizontal & Qt::AlignJustify)
        word("qj");
    else if (horizontal & Qt::AlignRight)
        word("qr");
    const double left = format.leftMargin() + format.indent() * m_document.indentWidth();
    if (const int li = twipsOf(left))
        word("li", li);
    if (const int ri = twipsOf(format.rightMargin()))
        word("ri", ri);
    if (const int fi = twipsOf(format.textIndent()))
        word("fi", fi);
    if (const int sb = twipsOf(format.topMargin()); sb > 0)
        word("sb", sb);
    if (const int sa = twipsOf(format.bottomMargin()); sa > 0)
        word("sa", sa);
    for (const QTextOption::Tab& tab : format.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            word("tqr");
        else if (tab.type == QTextOption::CenterTab)
            word("tqc");
        else if (tab.type == QTextOption::DelimiterTab)
            word("tqdec");
        word("tx", std::max(0, twipsOf(tab.position + left + format.textIndent())));
    }
    // The paragraph mark takes the block's own character format, which sizes an empty line.
    characterWords(block.charFormat());
    m_out.append("\r\n");
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat()) {
            // One fragment may hold several pictures of the same format.
            for (int i = 0; i < fragment.length(); ++i)
                picture(format.toImageFormat());
            continue;
        }
        m_out.append('{');
        characterWords(format);
        m_out.append(' ');
        text(fragment.text());
        m_out.append("}\r\n");
    }
    word("par");
    m_out.append("\r\n");
}

void RtfWriter::characterWords(const QTextCharFormat& format)
{
    const QFont font = resolved(format);
    word("plain");
    word("f", fontIndex(font.family()));
    double points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0)
        points = font.pixelSize() * 72.0 / 96.0;
    if (points > 0)
        word("fs", std::lround(std::clamp(points * 2, 2.0, 3276.0)));
    if (font.bold())
        word("b");
    if (font.italic())
        word("i");
    if (font.underline())
        word("ul");
    if (font.strikeOut())
        word("strike");
    if (format.foreground().style() != Qt::NoBrush)
        word("cf", colourIndex(format.foreground().color()));
    if (format.background().style() != Qt::NoBrush)
        word("highlight", colourIndex(format.background().color()));
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        word("super");
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        word("sub");
}

void RtfWriter::text(const QString& text)
{
    static const char kHex[] = "0123456789abcdef";
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        switch (c) {
        case u'\\':
        case u'{':
        case u'}':
            m_out.append('\\').append(char(c));
            continue;
        case u'\t':
            m_out.append("\\tab ");
            continue;
        case QChar::LineSeparator:
            m_out.append("\\line ");
            continue;
        case QChar::Nbsp:
            m_out.append("\\~");
            continue;
        case QChar::SoftHyphen:
            m_out.append("\\-");
            continue;
        case 0x2011:
            m_out.append("\\_");
            continue;
        default:
            break;
        }
        if (c >= 0x20 && c < 0x80) {
            m_out.append(char(c));
            continue;
        }
        if (c < 0x20 || c == QChar::ParagraphSeparator)
            continue; // no other control character belongs in a paragraph's text
        const int byte = dbase::cp1252::toByte(c);
        if (byte >= 0) {
            m_out.append("\\'").append(kHex[byte >> 4]).append(kHex[byte & 15]);
        } else {
            // A 16-bit signed number, followed by the one character a reader without
            // Unicode shows instead.
            word("u", c > 0x7FFF ? int(c) - 65536 : int(c));
            m_out.append('?');
        }
    }
}

void RtfWriter::picture(const QTextImageFormat& format)
{
    const QVariant resource =
        m_document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image;
    if (resource.canConvert<QImage>())
        image = resource.value<QImage>();
    else if (resource.canConvert<QPixmap>())
        image = resource.value<QPixmap>().toImage();
    else if (resource.canConvert<QByteArray>())
        image = QImage::fromData(resource.toByteArray());
    if (image.isNull())
        return; // a picture the document cannot show either
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");

    const double width = format.width() > 0 ? format.width() : image.width();
    const double height = format.height() > 0 ? format.height() : image.height();
    m_out.append("{\\pict\\pngblip");
    word("picw", image.width());
    word("pich", image.height());
    word("picwgoal", twipsOf(width));
    word("pichgoal", twipsOf(height));
    m_out.append("\r\n");
    const QByteArray hex = png.toHex();
    for (qsizetype at = 0; at < hex.size(); at += 128)
        m_out.append(hex.mid(at, 128)).append("\r\n");
    m_out.append("}\r\n");
}

} // namespace

QByteArray writeRtf(const QTextDocument& document)
{
    return RtfWriter(document).write();
}

} // namespace help
