#include "viewlogic/filter/prepared_predicate.h"

#include "store/date_format.h"
#include "store/dbase/cp1252.h"

#include <QCollator>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace views::filter {
namespace {

// A field's text as the conditions see it, read into a buffer the condition keeps, so that the
// table's pass over a million rows allocates nothing per row.
class FieldText
{
public:
    FieldText(int index, const dbase::FieldDef& field, const DateSettings& dates)
        : m_index(index), m_field(field), m_dates(dates.pattern)
    {
    }

    bool isText() const { return m_field.type == 'C'; }

    // Text fields without their trailing blanks (as the engine reads them); other fields written
    // out: dates in the short date pattern, numbers in decimals; empty for an empty field.
    QStringView read(const dbase::RowView& row) const
    {
        if (isText()) {
            const char* p = row.bytes() + m_field.offset;
            int end = m_field.width;
            while (end > 0 && (p[end - 1] == ' ' || p[end - 1] == '\0'))
                --end;
            m_buffer.resize(end);
            QChar* out = m_buffer.data();
            for (int i = 0; i < end; ++i)
                out[i] = decodeByte(static_cast<unsigned char>(p[i]));
            return m_buffer;
        }
        m_buffer = writtenOut(row);
        return m_buffer;
    }

    static QChar decodeByte(unsigned char b)
    {
        static const std::array<char16_t, 256> table = [] {
            std::array<char16_t, 256> t{};
            for (int i = 0; i < 256; ++i) {
                const char byte = char(i);
                t[std::size_t(i)] = dbase::cp1252::decode(&byte, 1)[0].unicode();
            }
            return t;
        }();
        return QChar(table[b]);
    }

private:
    QString writtenOut(const dbase::RowView& row) const
    {
        if (row.isNull(m_index))
            return {};
        switch (m_field.dataType()) {
        case dbase::DataType::Date:
            return m_dates.format(row.asDate(m_index));
        case dbase::DataType::SmallInt:
        case dbase::DataType::Integer:
        case dbase::DataType::LargeInt:
            return QString::number(row.asInteger(m_index));
        case dbase::DataType::Float:
            return decimalText(row.asFloat(m_index));
        case dbase::DataType::Boolean:
            return row.asBoolean(m_index) ? QStringLiteral("True") : QStringLiteral("False");
        default:
            return row.asString(m_index);
        }
    }

    int m_index;
    dbase::FieldDef m_field;
    store::datefmt::DateFormatter m_dates;
    mutable QString m_buffer;
};

bool isPlainAscii(QStringView text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    return true;
}

// The locale's comparison of two texts, with or without case. The collator is asked only where
// it could answer differently from a plain comparison: for equality of two printable ASCII texts
// it never does (every such character weighs differently, case apart).
class TextComparison
{
public:
    TextComparison(const QLocale& locale, bool caseInsensitive)
        : m_collator(locale), m_caseInsensitive(caseInsensitive)
    {
        m_collator.setCaseSensitivity(caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    }

    int compare(QStringView a, QStringView b) const { return m_collator.compare(a, b); }

    bool equal(QStringView a, QStringView b) const
    {
        if (isPlainAscii(a) && isPlainAscii(b))
            return a.compare(b, m_caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
        return m_collator.compare(a, b) == 0;
    }

private:
    QCollator m_collator;
    bool m_caseInsensitive;
};

// ctInternal on a text field. Each stored byte stands for one character, in the locale's upper
// case when case is ignored; both mappings are made once per re-filter (one locale call per code
// page character instead of one per row). The search then runs over the bytes themselves: every
// byte is replaced by the first byte that maps to the same character, and so is the box's text.
// A few characters map to more than one ("ß" to "SS"); a row holding such a byte, and a box text
// with a character no byte maps to, are searched in the mapped text instead.
class TextContains : public Condition
{
public:
    TextContains(const dbase::FieldDef& field, const QString& box, const QLocale* upperCase)
        : m_offset(field.offset), m_width(field.width)
    {
        std::array<QString, 256> mapped;
        qsizetype longest = 1;
        for (int b = 0; b < 256; ++b) {
            const QString c(FieldText::decodeByte(uchar(b)));
            mapped[std::size_t(b)] = upperCase ? upperCase->toUpper(c) : c;
            longest = std::max(longest, mapped[std::size_t(b)].size());
        }
        m_needle = upperCase ? upperCase->toUpper(box) : box;
        m_mapped = mapped;
        m_buffer.resize(std::size_t(m_width * longest));

        for (int b = 0; b < 256; ++b) {
            const QString& c = mapped[std::size_t(b)];
            if (c.size() != 1) {
                m_canonical[std::size_t(b)] = kWide;
                m_wideBytes.push_back(char(b));
                continue;
            }
            int first = 0;
            while (mapped[std::size_t(first)] != c)
                ++first;
            m_canonical[std::size_t(b)] = std::uint16_t(first);
        }
        for (const QChar c : std::as_const(m_needle)) {
            int b = 0;
            while (b < 256 && mapped[std::size_t(b)] != QString(c))
                ++b;
            if (b == 256) {
                m_bytewise = false;
                break;
            }
            m_needleBytes.push_back(m_canonical[std::size_t(b)]);
        }
    }

    bool accepts(const dbase::RowView& row) const override
    {
        const char* p = row.bytes() + m_offset;
        const int end = textEnd(p);
        if (m_bytewise) {
            if (findBytes(p, end))
                return true;
            if (std::none_of(m_wideBytes.begin(), m_wideBytes.end(), [&](char wide) {
                    return std::memchr(p, wide, std::size_t(end)) != nullptr;
                }))
                return false;
        }
        char16_t* out = m_buffer.data();
        for (int i = 0; i < end; ++i)
            for (const QChar c : m_mapped[static_cast<unsigned char>(p[i])])
                *out++ = c.unicode();
        return QStringView(m_buffer.data(), out - m_buffer.data()).contains(m_needle);
    }

private:
    static constexpr std::uint16_t kWide = 0x100; // equals no byte of the box's text

    // The field without its trailing blanks and NULs; descriptions are mostly blanks, so whole
    // words of blanks go first.
    int textEnd(const char* p) const
    {
        int end = m_width;
        std::uint64_t word;
        while (end >= 8 && (std::memcpy(&word, p + end - 8, 8), word == 0x2020202020202020ull))
            end -= 8;
        while (end > 0 && (p[end - 1] == ' ' || p[end - 1] == '\0'))
            --end;
        return end;
    }

    bool findBytes(const char* p, int end) const
    {
        const int m = int(m_needleBytes.size());
        if (m == 0)
            return true;
        const std::uint16_t first = m_needleBytes[0];
        for (int i = 0; i + m <= end; ++i) {
            if (m_canonical[static_cast<unsigned char>(p[i])] != first)
                continue;
            int k = 1;
            while (k < m && m_canonical[static_cast<unsigned char>(p[i + k])] == m_needleBytes[k])
                ++k;
            if (k == m)
                return true;
        }
        return false;
    }

    int m_offset;
    int m_width;
    QString m_needle;
    std::array<QString, 256> m_mapped;
    std::array<std::uint16_t, 256> m_canonical{};
    std::vector<char> m_wideBytes;
    std::vector<std::uint16_t> m_needleBytes;
    bool m_bytewise = true;
    mutable std::vector<char16_t> m_buffer; // the widest mapping the field can give
};

class Contains : public Condition
{
public:
    Contains(FieldText text, QString needle) : m_text(std::move(text)), m_needle(std::move(needle))
    {
    }
    bool accepts(const dbase::RowView& row) const override
    {
        return m_text.read(row).contains(m_needle);
    }

private:
    FieldText m_text;
    QString m_needle;
};

// One box: ctExact on a text (equality) or ctInitial (the text cut to the box's length equals it).
class TextEquals : public Condition
{
public:
    TextEquals(FieldText text, QString box, TextComparison comparison, bool initial)
        : m_text(std::move(text)), m_box(std::move(box)), m_comparison(std::move(comparison)),
          m_initial(initial)
    {
    }
    bool accepts(const dbase::RowView& row) const override
    {
        QStringView text = m_text.read(row);
        if (m_initial)
            text = text.left(m_box.size());
        return m_comparison.equal(text, m_box);
    }

private:
    FieldText m_text;
    QString m_box;
    TextComparison m_comparison;
    bool m_initial;
};

// Two boxes over texts: first <= text, and second >= text (ctInitial: the text cut to the second
// box's length); an empty box does not bound.
class TextRange : public Condition
{
public:
    TextRange(FieldText text, QString first, QString second, TextComparison comparison,
              bool initial)
        : m_text(std::move(text)), m_first(std::move(first)), m_second(std::move(second)),
          m_comparison(std::move(comparison)), m_initial(initial)
    {
    }
    bool accepts(const dbase::RowView& row) const override
    {
        const QStringView text = m_text.read(row);
        if (!m_first.isEmpty() && m_comparison.compare(m_first, text) > 0)
            return false;
        if (m_second.isEmpty())
            return true;
        return m_comparison.compare(m_second, m_initial ? text.left(m_second.size()) : text) >= 0;
    }

private:
    FieldText m_text;
    QString m_first, m_second;
    TextComparison m_comparison;
    bool m_initial;
};

// A date as yyyymmdd, which orders like the date.
double dateKey(int year, int month, int day)
{
    return double(year * 10000 + month * 100 + day);
}

// The value of a date, number or Boolean as one number that orders like it; NaN for no value.
double key(const Value& value)
{
    if (const auto* date = std::get_if<QDate>(&value))
        return dateKey(date->year(), date->month(), date->day());
    if (const auto* integer = std::get_if<qint64>(&value))
        return double(*integer);
    if (const auto* number = std::get_if<double>(&value))
        return *number;
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? 1.0 : 0.0;
    return NAN;
}

// ctExact on dates, numbers and Booleans: one box is equality, two are a range.
class ValueCompare : public Condition
{
public:
    ValueCompare(int index, const dbase::FieldDef& field, double first, double second, bool range)
        : m_index(index), m_field(field), m_first(first), m_second(second), m_range(range)
    {
    }
    bool accepts(const dbase::RowView& row) const override
    {
        double value = 0;
        switch (m_field.dataType()) {
        case dbase::DataType::Date: {
            // The stored digits, read here rather than through a QDate: this runs per row.
            const char* p = row.bytes() + m_field.offset;
            int parts[3] = {0, 0, 0};
            for (int i = 0; i < 8; ++i) {
                if (p[i] < '0' || p[i] > '9')
                    return false; // an empty date
                const int part = i < 4 ? 0 : i < 6 ? 1 : 2;
                parts[part] = parts[part] * 10 + (p[i] - '0');
            }
            if (!QDate::isValid(parts[0], parts[1], parts[2]))
                return false;
            value = dateKey(parts[0], parts[1], parts[2]);
            break;
        }
        case dbase::DataType::Boolean:
            value = row.asBoolean(m_index) ? 1.0 : 0.0; // an empty flag counts as not set
            break;
        default:
            if (row.isNull(m_index))
                return false;
            value = row.asFloat(m_index);
        }
        if (!m_range)
            return value == m_first;
        return !(m_first > value) && !(m_second < value); // NaN: an empty box does not bound
    }

private:
    int m_index;
    dbase::FieldDef m_field;
    double m_first, m_second;
    bool m_range;
};

std::unique_ptr<Condition> prepare(const ConditionInput& input, const QLocale& locale,
                                   const DateSettings& dates)
{
    FieldText text(input.fieldIndex, input.field, dates);
    const FilterField::Resolved& s = input.settings;
    const bool textField = text.isText();
    // Texts of other fields (dates and numbers written out) are compared with case.
    const bool ignoreCase = s.caseInsensitive && textField;
    const QString first = standardText(input.first, dates);
    if (s.count == Count::coOne) {
        switch (s.compare) {
        case Compare::ctInternal:
            if (textField)
                return std::make_unique<TextContains>(input.field, first,
                                                      ignoreCase ? &locale : nullptr);
            return std::make_unique<Contains>(std::move(text), first);
        case Compare::ctInitial:
            return std::make_unique<TextEquals>(std::move(text), first,
                                                TextComparison(locale, ignoreCase), true);
        case Compare::ctExact:
            if (textField)
                return std::make_unique<TextEquals>(std::move(text), first,
                                                    TextComparison(locale, ignoreCase), false);
            return std::make_unique<ValueCompare>(input.fieldIndex, input.field, key(input.first),
                                                  NAN, false);
        }
    }
    const QString second = standardText(input.second, dates);
    if (s.compare == Compare::ctExact && !textField)
        return std::make_unique<ValueCompare>(input.fieldIndex, input.field, key(input.first),
                                              key(input.second), true);
    return std::make_unique<TextRange>(std::move(text), first, second,
                                       TextComparison(locale, ignoreCase),
                                       s.compare == Compare::ctInitial);
}

} // namespace

PreparedPredicate::PreparedPredicate(const std::vector<ConditionInput>& inputs,
                                     const QLocale& locale, const DateSettings& dates,
                                     const void* owner)
    : m_owner(owner)
{
    auto conditions = std::make_shared<std::vector<std::unique_ptr<Condition>>>();
    for (const ConditionInput& input : inputs)
        conditions->push_back(prepare(input, locale, dates));
    m_conditions = std::move(conditions);
}

} // namespace views::filter
