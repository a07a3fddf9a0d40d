#include "viewlogic/filter/value_reader.h"

#include "store/date_format.h"
#include "store/number_format.h"

#include <QLocale>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace views::filter {
namespace {

// Digits only, between the blanks around them.
std::optional<int> readNumber(QStringView part, int maxDigits)
{
    part = part.trimmed();
    if (part.isEmpty() || part.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (const QChar c : part) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

std::optional<QDate> readDate(const QString& text, const DateSettings& dates)
{
    // The order of day, month and year and the separator come from the pattern ("dd-MM-yyyy").
    QString order;
    QChar separator;
    for (const QChar c : dates.pattern) {
        if ((c == u'd' || c == u'M' || c == u'y') && !order.contains(c))
            order += c;
        else if (separator.isNull() && !c.isLetter() && c != u'\'' && !c.isSpace())
            separator = c;
    }
    if (order.size() != 3 || separator.isNull())
        return std::nullopt;
    const QStringList parts = text.split(separator);
    if (parts.size() != 2 && parts.size() != 3)
        return std::nullopt;
    if (parts.size() == 2)
        order.remove(u'y'); // day and month alone: this year
    int day = 0, month = 0, year = dates.today.year();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QChar what = order[i];
        const auto number = readNumber(parts[i], what == u'y' ? 4 : 2);
        if (!number)
            return std::nullopt;
        if (what == u'd')
            day = *number;
        else if (what == u'M')
            month = *number;
        else if (parts[i].trimmed().size() <= 2)
            year = dates.today.year() / 100 * 100 + *number;
        else
            year = *number;
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<qint64> readInteger(const QString& text)
{
    const QStringView t = QStringView(text).trimmed();
    qsizetype i = t.startsWith(u'-') || t.startsWith(u'+') ? 1 : 0;
    if (i == t.size() || t.size() - i > 18)
        return std::nullopt;
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9')
            return std::nullopt;
        value = value * 10 + (t[i].unicode() - u'0');
    }
    return t.startsWith(u'-') ? -value : value;
}

std::optional<bool> readBoolean(const QString& text)
{
    const QString t = text.trimmed().toLower();
    for (const char* yes : {"true", "t", "waar", "ja", "j", "yes", "y", "1"})
        if (t == QLatin1StringView(yes))
            return true;
    for (const char* no : {"false", "f", "onwaar", "nee", "n", "no", "0"})
        if (t == QLatin1StringView(no))
            return false;
    return std::nullopt;
}

QString invalidMessage(TypeGroup group, const QString& text)
{
    switch (group) {
    case TypeGroup::Integer:
        return u"'%1' is not a valid integer value"_s.arg(text);
    case TypeGroup::Float:
        return store::numfmt::notAFloatMessage(text);
    case TypeGroup::DateTime:
        return u"'%1' is not a valid date"_s.arg(text);
    case TypeGroup::Boolean:
        return u"'%1' is geen geldige logische waarde"_s.arg(text);
    default:
        break;
    }
    return u"'%1' is not a valid value"_s.arg(text);
}

} // namespace

QString decimalText(double value)
{
    // Never an exponent: the text must read back as the number it shows.
    return QString::number(value == 0.0 ? 0.0 : value, 'f', QLocale::FloatingPointShortest)
        .replace(u'.', store::numfmt::kDecimalSeparator);
}

DateSettings DateSettings::system()
{
    return {store::datefmt::shortDateFormat(), QDate::currentDate()};
}

std::optional<Value> readLenient(TypeGroup group, const QString& text, const DateSettings& dates)
{
    if (text.isEmpty())
        return Value{};
    switch (group) {
    case TypeGroup::String:
    case TypeGroup::Memo: {
        qsizetype end = text.size();
        while (end > 0 && text[end - 1] == u' ')
            --end;
        if (end == 0)
            return Value{};
        return Value{text.left(end)};
    }
    case TypeGroup::DateTime:
        if (const auto date = readDate(text, dates))
            return Value{*date};
        break;
    case TypeGroup::Integer:
        if (const auto number = readInteger(text))
            return Value{*number};
        break;
    case TypeGroup::Float:
        if (const auto number = store::numfmt::parseAmount(text))
            return Value{*number};
        break;
    case TypeGroup::Boolean:
        if (const auto flag = readBoolean(text))
            return Value{*flag};
        break;
    case TypeGroup::Other:
        break;
    }
    return std::nullopt;
}

Value readStrict(TypeGroup group, const QString& text, const DateSettings& dates)
{
    if (auto value = readLenient(group, text, dates))
        return std::move(*value);
    throw FilterError(invalidMessage(group, text));
}

QString standardText(const Value& value, const DateSettings& dates)
{
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    if (const auto* date = std::get_if<QDate>(&value))
        return date->toString(dates.pattern);
    if (const auto* integer = std::get_if<qint64>(&value))
        return QString::number(*integer);
    if (const auto* number = std::get_if<double>(&value))
        return decimalText(*number);
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? u"True"_s : u"False"_s;
    return {};
}

bool acceptsCharacter(TypeGroup group, QChar character)
{
    const bool digitOrSign =
        (character >= u'0' && character <= u'9') || character == u'+' || character == u'-';
    switch (group) {
    case TypeGroup::Integer:
        return digitOrSign;
    case TypeGroup::Float:
        return digitOrSign || character == store::numfmt::kDecimalSeparator;
    default:
        return true;
    }
}

} // namespace views::filter
