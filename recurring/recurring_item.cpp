#include "recurring/recurring_item.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace recurring {

QString rhythmName(Rhythm rhythm)
{
    switch (rhythm) {
    case Rhythm::Month:
        return u"maand"_s;
    case Rhythm::Quarter:
        return u"kwartaal"_s;
    case Rhythm::HalfYear:
        return u"halfjaar"_s;
    case Rhythm::Year:
        break;
    }
    return u"jaar"_s;
}

QString statusName(ItemStatus status)
{
    switch (status) {
    case ItemStatus::Running:
        return u"loopt"_s;
    case ItemStatus::Stopped:
        return u"gestopt"_s;
    case ItemStatus::Variable:
        break;
    }
    return u"wisselend"_s;
}

int rhythmMonths(Rhythm rhythm)
{
    switch (rhythm) {
    case Rhythm::Month:
        return 1;
    case Rhythm::Quarter:
        return 3;
    case Rhythm::HalfYear:
        return 6;
    case Rhythm::Year:
        break;
    }
    return 12;
}

QString itemKey(const QString& counterparty, Rhythm rhythm, bool income)
{
    return counterparty + u'|' + rhythmName(rhythm) + u'|' + (income ? u"bij"_s : u"af"_s);
}

QStringList RecurringItem::identityKeys() const
{
    QStringList keys{key};
    for (const Payment& p : payments) {
        if (!p.group.isEmpty())
            keys << itemKey(u"groep:"_s + p.group, rhythm, income);
        if (!p.reknum.isEmpty())
            keys << itemKey(u"reknum:"_s + p.reknum, rhythm, income);
    }
    keys.removeDuplicates();
    return keys;
}

qint64 RecurringItem::perMonthCents() const
{
    return std::llround(double(typicalCents) / rhythmMonths(rhythm));
}

} // namespace recurring
