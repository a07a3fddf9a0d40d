#pragma once

#include "recurring/recurring_item.h"

#include <optional>
#include <vector>

namespace recurring {

enum class AmountKind
{
    Fixed,     // equal amounts that change rarely
    Variable,  // a monthly bill that differs each time within a sane range
    Irregular, // no fixed cost, whatever the dates say
};

struct AmountVerdict
{
    AmountKind kind = AmountKind::Irregular;
    std::optional<PriceRise> rise; // only for a fixed series
};

// Judges the amounts of a series (in date order, one sign) paid at `rhythm`. A single odd
// payment between two equal ones is no change of level; the latest change of level whose new
// amount held (twice, or once for the long rhythms) is the price rise.
AmountVerdict judgeAmounts(const std::vector<Payment>& series, Rhythm rhythm);

} // namespace recurring
