#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// What a chart draws, as plain data: the windows plot it, kolvaro-cli prints it.
namespace charts {

using Rgb = std::uint32_t; // 0xRRGGBB

// "#RRGGBB".
QString colourText(Rgb colour);

struct Point
{
    double value = 0.0;
    QString label;
    Rgb colour = 0;
};

struct Series
{
    enum class Kind
    {
        Bars,
        Line
    };
    Kind kind = Kind::Bars;
    QString title; // as the legend shows it; empty when the chart has no legend entry for it
    Rgb colour = 0;
    std::vector<Point> points;
};

} // namespace charts
