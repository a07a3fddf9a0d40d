#include "store/dbase/field_codec.h"

#include "store/dbase/code_page.h"
#include "store/dbase/engine_error.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

using namespace Qt::StringLiterals;

namespace dbase {

DataType FieldDef::dataType() const
{
    switch (type) {
    case 'C':
        return DataType::String;
    case 'D':
        return DataType::Date;
    case 'L':
        return DataType::Boolean;
    case 'I':
    case '+':
        return DataType::Integer;
    case 'O':
        return DataType::Float;
    case 'N':
    case 'F':
        if (decimals > 0)
            return DataType::Float;
        if (width <= 4)
            return DataType::SmallInt;
        return width <= 9 ? DataType::Integer : DataType::LargeInt;
    default:
        return DataType::Unsupported;
    }
}

namespace codec {
namespace {

const char* at(const FieldDef& field, const char* row)
{
    return row + field.offset;
}
char* at(const FieldDef& field, char* row)
{
    return row + field.offset;
}

bool allBytes(const char* p, int n, char c)
{
    for (int i = 0; i < n; ++i)
        if (p[i] != c)
            return false;
    return true;
}

// The field's text with blanks (and NULs some writers pad with) removed at both ends.
std::string_view trimmedText(const FieldDef& field, const char* row)
{
    const char* p = at(field, row);
    int begin = 0, end = field.width;
    while (begin < end && (p[begin] == ' ' || p[begin] == '\0'))
        ++begin;
    while (end > begin && (p[end - 1] == ' ' || p[end - 1] == '\0'))
        --end;
    return {p + begin, static_cast<std::size_t>(end - begin)};
}

quint64 readBigEndian(const char* p, int n)
{
    quint64 v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}

void writeBigEndian(char* p, int n, quint64 v)
{
    for (int i = n - 1; i >= 0; --i) {
        p[i] = static_cast<char>(v & 0xFF);
        v >>= 8;
    }
}

// A number stored as text; all '*' (a value that did not fit) or garbage reads as empty.
// Plain fixed-point text ("-1234.50") with at most 15 digits: the digits as one exact integer,
// divided once by the power of ten. Both steps are exact or correctly rounded, so the result is
// the double nearest to the text, as a general parser would give, at a fraction of its cost.
std::optional<double> parseFixedPoint(std::string_view text)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t i = 0;
    const bool negative = text[0] == '-';
    if (negative)
        ++i;
    qint64 digits = 0;
    int count = 0, decimals = -1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++count > 15)
                return std::nullopt; // more digits than a double holds exactly
            digits = digits * 10 + (c - '0');
            if (decimals >= 0)
                ++decimals;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0 || count > 15)
        return std::nullopt;
    const double value = static_cast<double>(digits) / kPowers[decimals < 0 ? 0 : decimals];
    return negative ? -value : value;
}

std::optional<double> parseNumberText(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    if (const auto fast = parseFixedPoint(text))
        return fast;
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt; // "nan" and "inf" are no dBase numbers, and would upset an index
    return value;
}

std::optional<double> readDouble(const FieldDef& field, const char* row)
{
    const char* p = at(field, row);
    switch (field.type) {
    case 'N':
    case 'F':
        return parseNumberText(trimmedText(field, row));
    case 'I':
    case '+':
        if (allBytes(p, 4, '\0'))
            return std::nullopt;
        return static_cast<qint32>(static_cast<quint32>(readBigEndian(p, 4)) ^ 0x80000000u);
    case 'O': {
        if (allBytes(p, 8, '\0'))
            return std::nullopt;
        quint64 bits = readBigEndian(p, 8);
        bits = (bits & 0x8000000000000000ull) ? (bits & ~0x8000000000000000ull) : ~bits;
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    default:
        return std::nullopt;
    }
}

// Room for any double in fixed notation with up to 254 decimals.
constexpr int kFixedTextSize = 640;

// The value with `decimals` decimals, rounded as printf rounds it. Amounts are whole cents,
// so their scaled value lies next to a whole number and is written digit by digit; anything
// else (or anything too large for exact integers) goes through printf.
int formatFixed(char* out, double value, int decimals)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    if (decimals < 10) {
        const double scaled = value * kPowers[decimals];
        const double whole = std::nearbyint(scaled);
        if (std::fabs(scaled - whole) < 0.25 && std::fabs(whole) < 1e15) {
            auto digits = static_cast<qint64>(std::fabs(whole));
            char reversed[32];
            int n = 0;
            for (int i = 0; i < decimals; ++i, digits /= 10)
                reversed[n++] = static_cast<char>('0' + digits % 10);
            if (decimals > 0)
                reversed[n++] = '.';
            do {
                reversed[n++] = static_cast<char>('0' + digits % 10);
                digits /= 10;
            } while (digits > 0);
            int length = 0;
            if (whole < 0)
                out[length++] = '-';
            while (n > 0)
                out[length++] = reversed[--n];
            out[length] = '\0';
            return length;
        }
    }
    return std::snprintf(out, kFixedTextSize, "%.*f", decimals, value);
}

// Whether a field with `decimals` decimals holds the value without losing a cent: amounts must
// never be rounded away silently in a table whose amount fields have no room for cents.
bool keepsCents(double value, int decimals)
{
    if (decimals >= 2)
        return true;
    const double cents = std::nearbyint(value * 100.0);
    if (std::fabs(cents) >= 9007199254740992.0) // beyond exact integers: no cents to lose
        return true;
    const double unit = decimals == 1 ? 10.0 : 100.0;
    return std::fmod(cents, unit) == 0.0;
}

[[noreturn]] void cannotHold(const FieldDef& field, double value)
{
    char text[kFixedTextSize];
    formatFixed(text, value, 2);
    throw EngineError(
        u"Field '%1' cannot hold the value %2"_s.arg(field.name, QString::fromLatin1(text)));
}

[[noreturn]] void conversionError(QStringView text, const char* what)
{
    throw EngineError(u"'%1' is not a valid %2"_s.arg(text, QString::fromLatin1(what)));
}

} // namespace

bool isNull(const FieldDef& field, const char* row)
{
    const char* p = at(field, row);
    switch (field.type) {
    case 'C':
    case 'N':
    case 'F':
        return trimmedText(field, row).empty();
    case 'D':
        return !readDate(field, row).isValid();
    case 'L':
        return *p == ' ' || *p == '?' || *p == '\0';
    case 'I':
    case '+':
    case 'O':
    case '@':
        return allBytes(p, field.width, '\0');
    default:
        return allBytes(p, field.width, ' ');
    }
}

QString readString(const FieldDef& field, const char* row)
{
    switch (field.type) {
    case 'C': {
        const char* p = at(field, row);
        // dBase pads text with blanks; callers get values without them, so trim once here.
        int end = field.width;
        while (end > 0 && (p[end - 1] == ' ' || p[end - 1] == '\0'))
            --end;
        return codepage::decode(field.codePage, p, end);
    }
    case 'D': {
        const QDate date = readDate(field, row);
        return date.isValid() ? date.toString(Qt::ISODate) : QString();
    }
    case 'L':
        return isNull(field, row) ? QString() : QString(readBoolean(field, row) ? u'T' : u'F');
    case 'N':
    case 'F':
    case 'I':
    case '+':
    case 'O': {
        const auto value = readDouble(field, row);
        return value ? shortestDouble(*value) : QString();
    }
    default: {
        const std::string_view text = trimmedText(field, row);
        return codepage::decode(field.codePage, text.data(), static_cast<qsizetype>(text.size()));
    }
    }
}

double readFloat(const FieldDef& field, const char* row)
{
    if (field.type == 'N' || field.type == 'F') {
        // The common case in one pass: blanks, an optional minus, digits with one point, blanks.
        static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const char* p = at(field, row);
        const char* end = p + field.width;
        while (p < end && *p == ' ')
            ++p;
        const bool negative = p < end && *p == '-';
        p += negative ? 1 : 0;
        qint64 digits = 0;
        int count = 0, decimals = -1;
        for (; p < end && *p != ' '; ++p) {
            if (*p >= '0' && *p <= '9') {
                if (++count > 15)
                    break; // more digits than a double holds exactly: the general reader
                digits = digits * 10 + (*p - '0');
                decimals += decimals >= 0 ? 1 : 0;
            } else if (*p == '.' && decimals < 0) {
                decimals = 0;
            } else {
                count = -1; // anything else: the general reader decides
                break;
            }
        }
        while (p < end && *p == ' ')
            ++p;
        if (count == 0 && !negative && decimals < 0)
            return 0.0; // an empty field
        if (count > 0 && count <= 15 && p == end) {
            const double value = static_cast<double>(digits) / kPowers[decimals < 0 ? 0 : decimals];
            return negative ? -value : value;
        }
    }
    if (field.type == 'C') {
        const auto value = parseNumberText(trimmedText(field, row));
        return value.value_or(0.0);
    }
    return readDouble(field, row).value_or(0.0);
}

qint64 readInteger(const FieldDef& field, const char* row)
{
    const double value = readFloat(field, row);
    if (!std::isfinite(value))
        return 0;
    return static_cast<qint64>(std::llround(value));
}

QDate readDate(const FieldDef& field, const char* row)
{
    if (field.type != 'D')
        return {};
    const char* p = at(field, row);
    int parts[3] = {0, 0, 0};
    const int lengths[3] = {4, 2, 2};
    int pos = 0;
    for (int part = 0; part < 3; ++part) {
        for (int i = 0; i < lengths[part]; ++i, ++pos) {
            if (p[pos] < '0' || p[pos] > '9')
                return {};
            parts[part] = parts[part] * 10 + (p[pos] - '0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]); // invalid for 00000000 and impossible dates
}

bool readBoolean(const FieldDef& field, const char* row)
{
    if (field.type != 'L')
        return readFloat(field, row) != 0.0;
    const char c = *at(field, row);
    return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

void clear(const FieldDef& field, char* row)
{
    // Binary kinds are empty as zero bytes; blanks would read as a value in other tools.
    const bool binary =
        field.type == 'I' || field.type == '+' || field.type == 'O' || field.type == '@';
    std::memset(at(field, row), binary ? '\0' : ' ', static_cast<std::size_t>(field.width));
}

void writeString(const FieldDef& field, char* row, QStringView value)
{
    switch (field.type) {
    case 'C': {
        const QStringView text = value.left(field.width);
        char* p = at(field, row);
        codepage::encodeInto(field.codePage, text, p);
        std::memset(p + text.size(), ' ', static_cast<std::size_t>(field.width - text.size()));
        return;
    }
    case 'D': {
        const QStringView text = value.trimmed();
        if (text.isEmpty())
            return clear(field, row);
        QDate date = QDate::fromString(text.toString(), Qt::ISODate);
        if (!date.isValid())
            date = QDate::fromString(text.toString(), u"yyyyMMdd"_s);
        if (!date.isValid())
            conversionError(value, "date");
        return writeDate(field, row, date);
    }
    case 'L': {
        const QString text = value.trimmed().toString().toUpper();
        if (text.isEmpty())
            return clear(field, row);
        if (text == u"T" || text == u"TRUE" || text == u"Y")
            return writeBoolean(field, row, true);
        if (text == u"F" || text == u"FALSE" || text == u"N")
            return writeBoolean(field, row, false);
        conversionError(value, "boolean value");
    }
    default:
        break;
    }
    const QStringView text = value.trimmed();
    if (text.isEmpty())
        return clear(field, row);
    const DataType type = field.dataType();
    if (type == DataType::SmallInt || type == DataType::Integer || type == DataType::LargeInt) {
        bool ok = false;
        const qint64 number = text.toLongLong(&ok);
        if (!ok)
            conversionError(value, "integer value");
        return writeInteger(field, row, number);
    }
    const QByteArray latin = text.toLatin1();
    const auto number = parseNumberText(std::string_view(latin.constData(), latin.size()));
    if (!number)
        conversionError(value, "floating point value");
    writeFloat(field, row, *number);
}

void writeFloat(const FieldDef& field, char* row, double value)
{
    char* p = at(field, row);
    if (!std::isfinite(value))
        throw EngineError(u"Field '%1' cannot hold the value %2"_s.arg(field.name).arg(value));
    switch (field.type) {
    case 'N':
    case 'F': {
        if (!keepsCents(value, field.decimals))
            cannotHold(field, value);
        char text[kFixedTextSize];
        int n = formatFixed(text, value, field.decimals);
        // Never store "-0.00": a value that rounds to zero is zero.
        if (text[0] == '-' && std::strspn(text + 1, "0.") == std::strlen(text + 1)) {
            std::memmove(text, text + 1, static_cast<std::size_t>(n));
            --n;
        }
        if (n > field.width)
            throw EngineError(u"Field '%1' cannot hold the value %2"_s.arg(
                field.name, QString::fromLatin1(text)));
        std::memset(p, ' ', static_cast<std::size_t>(field.width - n));
        std::memcpy(p + field.width - n, text, static_cast<std::size_t>(n));
        return;
    }
    case 'I':
    case '+':
        if (!keepsCents(value, 0) || std::fabs(value) > 2147483648.0)
            cannotHold(field, value);
        return writeInteger(field, row, std::llround(value));
    case 'O': {
        quint64 bits;
        std::memcpy(&bits, &value, sizeof bits);
        // Stored so that the bytes sort like the values: sign bit set for >= 0, all bits
        // inverted for negative numbers.
        bits = (bits & 0x8000000000000000ull) ? ~bits : (bits | 0x8000000000000000ull);
        return writeBigEndian(p, 8, bits);
    }
    case 'C':
        return writeString(field, row, shortestDouble(value));
    case 'L':
        return writeBoolean(field, row, value != 0.0);
    default:
        throw EngineError(u"Field '%1' cannot hold a number"_s.arg(field.name));
    }
}

void writeInteger(const FieldDef& field, char* row, qint64 value)
{
    if (field.type == 'I' || field.type == '+') {
        if (value < std::numeric_limits<qint32>::min() ||
            value > std::numeric_limits<qint32>::max())
            throw EngineError(u"Field '%1' cannot hold the value %2"_s.arg(field.name).arg(value));
        return writeBigEndian(at(field, row), 4, static_cast<quint32>(value) ^ 0x80000000u);
    }
    writeFloat(field, row, static_cast<double>(value));
}

void writeDate(const FieldDef& field, char* row, const QDate& value)
{
    if (field.type != 'D')
        throw EngineError(u"Field '%1' cannot hold a date"_s.arg(field.name));
    // The parts at once and the digits by hand: each part and printf alone would cost more
    // than the rest of a row.
    int year = 0, month = 0, day = 0;
    value.getDate(&year, &month, &day);
    if (!value.isValid() || year < 1 || year > 9999)
        return clear(field, row);
    char* p = at(field, row);
    for (int i = 3; i >= 0; --i, year /= 10)
        p[i] = static_cast<char>('0' + year % 10);
    p[4] = static_cast<char>('0' + month / 10);
    p[5] = static_cast<char>('0' + month % 10);
    p[6] = static_cast<char>('0' + day / 10);
    p[7] = static_cast<char>('0' + day % 10);
}

void writeBoolean(const FieldDef& field, char* row, bool value)
{
    if (field.type != 'L')
        return writeFloat(field, row, value ? 1.0 : 0.0);
    *at(field, row) = value ? 'T' : 'F';
}

bool isTextKey(const FieldDef& field)
{
    return field.type == 'C';
}

double numericKey(const FieldDef& field, const char* row)
{
    if (field.type == 'D') {
        const QDate date = readDate(field, row);
        return date.isValid() ? static_cast<double>(date.toJulianDay())
                              : -std::numeric_limits<double>::infinity();
    }
    if (field.type == 'L')
        return readBoolean(field, row) ? 1.0 : 0.0;
    return readFloat(field, row);
}

QString shortestDouble(double value)
{
    if (value == 0.0)
        value = 0.0; // no "-0"
    // Fixed notation: the shortest form overall would write -1000000 as "-1e+06". The longest
    // fixed form of a double (the smallest subnormal) takes 326 characters.
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return QString::fromLatin1(text, result.ptr - text);
}

} // namespace codec
} // namespace dbase
