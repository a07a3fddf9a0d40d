#include "views/kind_badges.h"

#include "store/transaction_kinds.h"

#include <QFont>
#include <QPainter>
#include <QPolygon>

namespace views {

KindBadge kindBadge(int kind)
{
    namespace kinds = store::kinds;
    switch (kind) {
    case kinds::kBank:
        return {QStringLiteral("Bnk"), QColor(0xDF, 0xFF, 0xDF)};
    case kinds::kTransfer:
        return {QStringLiteral("Gir"), QColor(0xE6, 0xFF, 0xFF)};
    case kinds::kChip:
        return {QStringLiteral("CHP"), QColor(0xFF, 0xEF, 0xE8)};
    case kinds::kPin:
        return {QStringLiteral("Pin"), QColor(0xFF, 0xFF, 0x80)};
    case kinds::kCash:
        return {QStringLiteral("OPn"), QColor(0xFF, 0x9B, 0x9B)};
    default:
        return {};
    }
}

namespace {

QImage blankImage()
{
    QImage image(kImageSize, kImageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage square(const QColor& colour)
{
    QImage image = blankImage();
    QPainter p(&image);
    p.setPen(Qt::black);
    p.setBrush(colour);
    p.drawRect(2, 2, 11, 11); // 12x12 including the edge
    return image;
}

QImage badge(const KindBadge& kind)
{
    QImage image = blankImage();
    QPainter p(&image);
    // 15x14 with each corner cut by one pixel.
    const QPolygon outline({QPoint(1, 0), QPoint(13, 0), QPoint(14, 1), QPoint(14, 12),
                            QPoint(13, 13), QPoint(1, 13), QPoint(0, 12), QPoint(0, 1)});
    p.setPen(Qt::NoPen);
    p.setBrush(kind.face);
    p.drawPolygon(outline);
    QFont font(QStringLiteral("Liberation Sans Narrow"));
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, 15, 14), Qt::AlignCenter, kind.letters);
    return image;
}

std::array<QImage, kImageCount> drawImages()
{
    std::array<QImage, kImageCount> images;
    images[0] = square(QColor(0x00, 0xFF, 0x00));
    images[1] = square(QColor(0xFF, 0x00, 0x00));
    images[2] = square(QColor(0xFF, 0xFF, 0x00));
    for (int kind = store::kinds::kFirst; kind <= store::kinds::kLast; ++kind)
        images[kind] = badge(kindBadge(kind));
    return images;
}

} // namespace

const std::array<QImage, kImageCount>& imageList1()
{
    static const std::array<QImage, kImageCount> images = drawImages();
    return images;
}

} // namespace views
