#include "charts/series/chart_series.h"

namespace charts {

QString colourText(Rgb colour)
{
    return QStringLiteral("#%1").arg(colour & 0xFFFFFFu, 6, 16, QChar(u'0')).toUpper();
}

} // namespace charts
