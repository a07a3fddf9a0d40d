#pragma once

#include "balances/gap_walk.h"
#include "store/dbase/field_codec.h"

#include <QString>

namespace cli {

// A missing period as `gaps` and `import` print it: the dates (YYYY-MM-DD) around it and the
// missing amount in dump's number form, tab-separated.
inline QString gapText(const balances::Gap& gap)
{
    return gap.lastBefore.toString(Qt::ISODate) + u'\t' + gap.firstAfter.toString(Qt::ISODate) +
           u'\t' + dbase::codec::shortestDouble(double(gap.missingCents) / 100.0);
}

} // namespace cli
