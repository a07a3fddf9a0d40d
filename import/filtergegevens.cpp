#include "import/filtergegevens.h"

#include "import/current_layouts.h"
#include "import/import_error.h"
#include "store/number_format.h"

#include <cmath>

namespace import {
namespace {

constexpr qsizetype kLineRoom = 240;

bool allDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// The date field holds yyyyMMdd. Reading the parts directly (not through the user's date
// setting) makes the import work under any locale; the message still shows d-m-y.
QDate readDate(const QString& field)
{
    const QString day = field.mid(6, 2);
    const QString month = field.mid(4, 2);
    const QString year = field.left(4);
    QDate date;
    if (allDigits(day) && allDigits(month) && allDigits(year))
        date = QDate(year.toInt(), month.toInt(), day.toInt());
    if (!date.isValid() || date.year() < 1)
        throw ImportError(QStringLiteral("'%1-%2-%3' is not a valid date").arg(day, month, year));
    return date;
}

double readAmount(const QString& field)
{
    const std::optional<double> value = store::numfmt::parseAmount(field);
    if (!value)
        throw ImportError(store::numfmt::notAFloatMessage(field));
    // Whole cents; nearbyint rounds a half to the even neighbour. Adding 0.0 turns -0 into 0.
    return std::nearbyint(*value * 100) / 100 + 0.0;
}

} // namespace

SplitLine splitLine(const QString& line)
{
    SplitLine split;
    QStringView work(line);
    QStringView whole(line);
    for (QString& field : split.fields) {
        const qsizetype tab = work.indexOf(u'\t');
        if (tab >= 0) {
            field = work.left(tab).toString();
            work = work.mid(tab + 1);
        }
        work = work.left(kLineRoom);
        if (const qsizetype wholeTab = whole.indexOf(u'\t'); wholeTab >= 0)
            whole = whole.mid(wholeTab + 1);
    }
    split.remainder = work.toString();
    split.wholeRemainder = whole.toString();
    return split;
}

LineValues filtergegevens(const QString& line, Layouts layouts)
{
    const SplitLine split = splitLine(line);
    LineValues values;
    values.amount = readAmount(split.fields[tab::kAmount]);
    values.date = readDate(split.fields[tab::kDate]);
    values.classification = bijsoort(split.remainder);
    if (std::optional<Classification> current = readCurrentLayout(split.wholeRemainder)) {
        values.otherReading = std::move(*current);
        if (layouts == Layouts::Current)
            std::swap(values.classification, *values.otherReading);
    }
    return values;
}

} // namespace import
