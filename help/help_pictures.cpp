#include "help/help_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace help {

namespace {

constexpr int kIconSize = 20;

QPixmap blankIcon()
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QFont boldFont(int pixels, bool serif)
{
    QFont font(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("Liberation Sans"));
    font.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

} // namespace

QPixmap logoPicture()
{
    QPixmap pixmap(142, 42);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(0, 0, 0, 42);
    face.setColorAt(0, QColor(0x2E, 0x9E, 0x4F));
    face.setColorAt(1, QColor(0x15, 0x6A, 0x4F));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(QRectF(1, 1, 140, 40), 6, 6);

    // A small bar chart: what the program is about.
    const int bars[] = {10, 18, 13, 24};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i == 3 ? QColor(0xFF, 0xCE, 0x9D) : QColor(0xE9, 0xE9, 0xE9));
        p.drawRect(QRectF(9 + i * 7, 33 - bars[i], 5, bars[i]));
    }
    p.setPen(QColor(0xE9, 0xE9, 0xE9));
    p.drawLine(QPointF(7, 33.5), QPointF(38, 33.5));

    p.setPen(Qt::white);
    p.setFont(boldFont(13, false));
    p.drawText(QRectF(44, 5, 96, 17), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Financieel"));
    p.setFont(boldFont(13, false));
    p.drawText(QRectF(44, 20, 96, 17), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("overzicht"));
    return pixmap;
}

QIcon saveIcon()
{
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x1F, 0x2F, 0x6B));
    p.setBrush(QColor(0x3A, 0x5B, 0xB5));
    p.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 3, 10, 6)); // label
    p.setBrush(QColor(0xC8, 0xC8, 0xC8));
    p.drawRect(QRectF(6, 12, 8, 5.5)); // shutter
    p.setBrush(QColor(0x1F, 0x2F, 0x6B));
    p.drawRect(QRectF(11, 13, 2, 3.5));
    return QIcon(pixmap);
}

QIcon openIcon()
{
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x8A, 0x6A, 0x10));
    p.setBrush(QColor(0xE8, 0xB9, 0x3A));
    QPainterPath back;
    back.moveTo(2.5, 16.5);
    back.lineTo(2.5, 4.5);
    back.lineTo(7.5, 4.5);
    back.lineTo(9, 6.5);
    back.lineTo(16.5, 6.5);
    back.lineTo(16.5, 16.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(0xF7, 0xD7, 0x6A));
    QPainterPath front;
    front.moveTo(2.5, 16.5);
    front.lineTo(5, 9.5);
    front.lineTo(18.5, 9.5);
    front.lineTo(16.5, 16.5);
    front.closeSubpath();
    p.drawPath(front);
    return QIcon(pixmap);
}

QIcon textColourIcon()
{
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setFont(boldFont(14, true));
    p.setPen(Qt::black);
    p.drawText(QRectF(0, -1, kIconSize, 15), Qt::AlignCenter, QStringLiteral("A"));
    const QColor stripes[] = {QColor(0xD2, 0x00, 0x00), QColor(0x00, 0x80, 0x00),
                              QColor(0x00, 0x00, 0xD2)};
    for (int i = 0; i < 3; ++i)
        p.fillRect(QRectF(2 + i * 16.0 / 3, 15, 16.0 / 3, 4), stripes[i]);
    return QIcon(pixmap);
}

QIcon fontIcon()
{
    QPixmap pixmap = blankIcon();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    p.setFont(boldFont(15, true));
    p.drawText(QRectF(0, 1, 12, 18), Qt::AlignCenter, QStringLiteral("A"));
    p.setFont(boldFont(10, true));
    p.drawText(QRectF(11, 6, 9, 13), Qt::AlignCenter, QStringLiteral("a"));
    return QIcon(pixmap);
}

} // namespace help
