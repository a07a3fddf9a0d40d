#include "import/filtergegevens.h"

#include "import/current_layouts.h"
#include "import/import_error.h"
#include "store/number_format.h"

#include <algorithm>
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
QDate readDate(QStringView field)
{
    const QStringView day = field.mid(6, 2);
    const QStringView month = field.mid(4, 2);
    const QStringView year = field.left(4);
    // The digits are counted by hand: toInt's locale-aware parsing costs more than the rest of
    // the date.
    const auto number = [](QStringView digits) {
        int value = 0;
        for (const QChar c : digits)
            value = value * 10 + (c.unicode() - u'0');
        return value;
    };
    QDate date;
    if (allDigits(day) && allDigits(month) && allDigits(year))
        date = QDate(number(year), number(month), number(day));
    if (!date.isValid() || date.year() < 1)
        throw ImportError(QStringLiteral("'%1-%2-%3' is not a valid date").arg(day, month, year));
    return date;
}

double readAmount(QStringView field)
{
    const std::optional<double> value = store::numfmt::parseAmount(field);
    if (!value)
        throw ImportError(store::numfmt::notAFloatMessage(field.toString()));
    // Whole cents; nearbyint rounds a half to the even neighbour. Adding 0.0 turns -0 into 0.
    return std::nearbyint(*value * 100) / 100 + 0.0;
}

// Whole cents, as an amount is read; empty when the field is no number.
std::optional<double> readBalance(QStringView field)
{
    const std::optional<double> value = store::numfmt::parseAmount(field);
    if (!value)
        return std::nullopt;
    return std::nearbyint(*value * 100) / 100 + 0.0;
}

// splitLine's parts as views into the line: a line costs no copies of its fields.
struct SplitViews
{
    std::array<QStringView, tab::kFieldsBeforeDescription> fields;
    QStringView remainder;
    QStringView wholeRemainder;
};

SplitViews splitViews(QStringView line)
{
    // The first seven tabs of the line, found in one pass: the cut remainder and the whole one
    // both come from them.
    std::array<qsizetype, tab::kFieldsBeforeDescription> tabs{};
    std::size_t found = 0;
    const QChar* chars = line.data();
    for (qsizetype at = 0; at < line.size() && found < tabs.size(); ++at)
        if (chars[at] == u'\t')
            tabs[found++] = at;

    SplitViews split;
    // The text still to read, [begin, end): after each field cut to kLineRoom characters, so a
    // tab past that cut no longer separates a field.
    qsizetype begin = 0;
    qsizetype end = line.size();
    std::size_t used = 0;
    for (QStringView& field : split.fields) {
        if (used < found && tabs[used] < end) {
            field = line.sliced(begin, tabs[used] - begin);
            begin = tabs[used] + 1;
            ++used;
        }
        end = std::min(end, begin + kLineRoom);
    }
    split.remainder = line.sliced(begin, end - begin);
    split.wholeRemainder = found > 0 ? line.sliced(tabs[found - 1] + 1) : line;
    return split;
}

} // namespace

SplitLine splitLine(const QString& line)
{
    const SplitViews views = splitViews(line);
    SplitLine split;
    for (std::size_t i = 0; i < split.fields.size(); ++i)
        split.fields[i] = views.fields[i].toString();
    split.remainder = views.remainder.toString();
    split.wholeRemainder = views.wholeRemainder.toString();
    return split;
}

LineValues filtergegevens(const QString& line, Layouts layouts)
{
    const SplitViews split = splitViews(line);
    LineValues values;
    values.amount = readAmount(split.fields[tab::kAmount]);
    values.date = readDate(split.fields[tab::kDate]);
    const std::optional<double> before = readBalance(split.fields[tab::kBalanceBefore]);
    const std::optional<double> after = readBalance(split.fields[tab::kBalanceAfter]);
    if (before && after) {
        values.balances = Balances{*before, *after};
        values.balanceFailed = std::llround(*before * 100) + std::llround(values.amount * 100) !=
                               std::llround(*after * 100);
    } else {
        values.balanceFailed = true;
    }
    values.classification = bijsoort(split.remainder);
    if (std::optional<Classification> current = readCurrentLayout(split.wholeRemainder)) {
        values.otherReading = std::move(*current);
        if (layouts == Layouts::Current)
            std::swap(values.classification, *values.otherReading);
    }
    return values;
}

} // namespace import
