#include "notices/gaps_notice.h"

#include "store/date_format.h"
#include "store/number_format.h"

using namespace Qt::StringLiterals;

namespace notices {

QString gapsNotice(std::size_t gaps)
{
    if (gaps == 0)
        return {};
    return u"Er ontbreken boekingen: %1 %2"_s.arg(gaps).arg(gaps == 1 ? u"periode"_s
                                                                      : u"perioden"_s);
}

QString gapsNotice(const dbase::Table& mutaties)
{
    return gapsNotice(balances::storedGaps(mutaties).size());
}

QString gapLines(const std::vector<balances::Gap>& gaps)
{
    QStringList lines;
    for (const balances::Gap& gap : gaps)
        lines << u"tussen %1 en %2: %3 ontbreekt"_s.arg(
            store::datefmt::formatShortDate(gap.lastBefore),
            store::datefmt::formatShortDate(gap.firstAfter),
            store::numfmt::formatAmount(double(gap.missingCents) / 100.0));
    return lines.join(u'\n');
}

} // namespace notices
