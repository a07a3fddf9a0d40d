#include "tests/help/document_description.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

namespace doctest {

namespace {

QString number(double value)
{
    return QString::number(std::round(value * 10) / 10, 'g', 8);
}

QString colour(const QBrush& brush)
{
    return brush.style() == Qt::NoBrush ? QStringLiteral("auto") : brush.color().name();
}

} // namespace

QString charSummary(const QTextDocument& document, const QTextFragment& fragment)
{
    const QTextCharFormat format = fragment.charFormat();
    const QFont font = format.font().resolve(document.defaultFont());
    QStringList parts{font.family(), number(font.pointSizeF())};
    if (font.bold())
        parts << QStringLiteral("b");
    if (font.italic())
        parts << QStringLiteral("i");
    if (font.underline())
        parts << QStringLiteral("u");
    if (font.strikeOut())
        parts << QStringLiteral("s");
    if (format.foreground().style() != Qt::NoBrush)
        parts << QStringLiteral("fg=") + colour(format.foreground());
    if (format.background().style() != Qt::NoBrush)
        parts << QStringLiteral("bg=") + colour(format.background());
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        parts << QStringLiteral("super");
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        parts << QStringLiteral("sub");
    return parts.join(u' ');
}

QString blockSummary(const QTextBlock& block)
{
    const QTextBlockFormat f = block.blockFormat();
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    QString summary = a & Qt::AlignHCenter   ? QStringLiteral("C")
                      : a & Qt::AlignJustify ? QStringLiteral("J")
                      : a & Qt::AlignRight   ? QStringLiteral("R")
                                             : QStringLiteral("L");
    const std::pair<const char*, double> lengths[] = {{"li", f.leftMargin()},
                                                      {"ri", f.rightMargin()},
                                                      {"fi", f.textIndent()},
                                                      {"sb", f.topMargin()},
                                                      {"sa", f.bottomMargin()}};
    for (const auto& [name, value] : lengths)
        if (value != 0)
            summary += u' ' + QString::fromLatin1(name) + u'=' + number(value);
    QStringList tabs;
    for (const QTextOption::Tab& tab : f.tabPositions())
        tabs << number(tab.position) + (tab.type == QTextOption::RightTab    ? u'R'
                                        : tab.type == QTextOption::CenterTab ? u'C'
                                                                             : u'L');
    if (!tabs.isEmpty())
        summary += QStringLiteral(" tabs=") + tabs.join(u',');
    return summary;
}

QString describe(const QTextDocument& document)
{
    QString out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QFont mark = block.charFormat().font().resolve(document.defaultFont());
        out +=
            QStringLiteral("P[%1] mark %2\n").arg(blockSummary(block), number(mark.pointSizeF()));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat()) {
                const QTextImageFormat image = fragment.charFormat().toImageFormat();
                const QImage picture =
                    document.resource(QTextDocument::ImageResource, QUrl(image.name()))
                        .value<QImage>();
                out += QStringLiteral("  picture %1x%2 of %3x%4\n")
                           .arg(number(image.width()), number(image.height()))
                           .arg(picture.width())
                           .arg(picture.height());
                continue;
            }
            out += QStringLiteral("  \"%1\" %2\n")
                       .arg(fragment.text(), charSummary(document, fragment));
        }
    }
    return out;
}

QTextFragment fragmentWithText(const QTextDocument& document, const QString& text)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().text() == text)
                return it.fragment();
    return {};
}

QString plainText(const QTextDocument& document)
{
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

QByteArray testData(const char* name)
{
    QFile file(qEnvironmentVariable("KOLVARO_TEST_DATA") + QStringLiteral("/help/") +
               QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray pngBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    for (int y = 0; y < height; ++y)
        image.setPixel(0, y, qRgb(30, 30, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace doctest
