#pragma once

#include "sample/sample_random.h"

#include <QString>
#include <cstddef>

namespace sample {

// One entry of a word list.
template <std::size_t N> QString any(Random& random, const char* const (&list)[N])
{
    return QString::fromUtf8(list[random.below(int(N))]);
}

// `count` random decimal digits.
inline QString digits(Random& random, int count)
{
    QString text(count, u'0');
    for (QChar& c : text)
        c = QChar(u'0' + random.below(10));
    return text;
}

} // namespace sample
