#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <array>

namespace views {

inline constexpr int kImageSize = 16;
inline constexpr int kImageCount = 8; // the three squares, then a badge per kind up to the last

// The picture of a kind code: its letters and face colour; empty letters for codes without one.
struct KindBadge
{
    QString letters;
    QColor face;
};
KindBadge kindBadge(int kind);

// ImageList1: eight 16x16 images. 0..2 are framed squares (green, red, yellow); 3..7 the kind
// badges, 15x14 with cut corners on a transparent cell. Drawn once, on first use.
const std::array<QImage, kImageCount>& imageList1();

} // namespace views
