#pragma once

#include "store/dbase/field_def.h"

#include <QDate>
#include <QString>
#include <optional>
#include <stdexcept>
#include <variant>

// The filter rows' logic, free of widgets: the program's pages and kolvaro-cli share it.
namespace views::filter {

// How many boxes a line of a filter row has: none (no condition), a single value, or a range
// ("van" .. "t/m").
enum class Count
{
    coNone,
    coOne,
    coTwo
};

// How a box's value is compared with a row's field: equality (a range with two boxes), "begins
// with", or "contains".
enum class Compare
{
    ctExact,
    ctInitial,
    ctInternal
};

// Field types that share a row's defaults.
enum class TypeGroup
{
    Boolean,
    DateTime,
    Float,
    Integer,
    Memo,
    String,
    Other
};
TypeGroup typeGroup(const dbase::FieldDef& field);

// A box's value: empty, or a value of its field's type (text, date, integer, number, Boolean).
using Value = std::variant<std::monostate, QString, QDate, qint64, double, bool>;
inline bool isEmpty(const Value& value)
{
    return std::holds_alternative<std::monostate>(value);
}

// A text that does not convert to its box's type; the text is what the user reads.
class FilterError : public std::runtime_error
{
public:
    explicit FilterError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

struct TypeDefaults
{
    Count count;
    Compare compare;
};

// A row's defaults per type group, for fields that do not set their own.
struct RowDefaults
{
    TypeDefaults boolean{Count::coOne, Compare::ctExact};
    TypeDefaults dateTime{Count::coTwo, Compare::ctExact};
    TypeDefaults floating{Count::coTwo, Compare::ctExact};
    TypeDefaults integer{Count::coTwo, Compare::ctExact};
    TypeDefaults memo{Count::coOne, Compare::ctInternal};
    TypeDefaults string{Count::coOne, Compare::ctInitial};
    bool caseInsensitive = true;

    TypeDefaults forGroup(TypeGroup group) const; // Other: no boxes
};

// One line of a filter row as the program defines it: the field it filters, and whatever it sets
// in place of the row's defaults. Two settings are coupled: "contains" never goes with two boxes,
// so setting ctInternal makes a two-box line a one-box line, and asking two boxes of a ctInternal
// line makes it ctInitial.
class FilterField
{
public:
    explicit FilterField(QString fieldName) : m_fieldName(std::move(fieldName)) {}

    FilterField& setDisplayLabel(QString label);
    FilterField& setDisplayWidth(int characters);
    FilterField& setCount(Count count);
    FilterField& setCompare(Compare compare);
    FilterField& setCaseInsensitive(bool caseInsensitive);

    const QString& fieldName() const { return m_fieldName; }

    // The line's settings for a field of this definition under the row's defaults.
    struct Resolved
    {
        QString label;
        int width = 0; // characters per box
        Count count = Count::coNone;
        Compare compare = Compare::ctExact;
        bool caseInsensitive = true;
        TypeGroup group = TypeGroup::Other;
    };
    Resolved resolve(const dbase::FieldDef& field, const RowDefaults& defaults) const;

private:
    QString m_fieldName;
    QString m_label;
    int m_width = 0;
    std::optional<Count> m_count;
    std::optional<Compare> m_compare;
    std::optional<bool> m_caseInsensitive;
};

// The width a field shows in, in characters, when its line sets none.
int defaultDisplayWidth(const dbase::FieldDef& field);

} // namespace views::filter
