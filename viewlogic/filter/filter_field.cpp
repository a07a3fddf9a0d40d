#include "viewlogic/filter/filter_field.h"

namespace views::filter {

TypeGroup typeGroup(const dbase::FieldDef& field)
{
    if (field.type == 'M')
        return TypeGroup::Memo;
    switch (field.dataType()) {
    case dbase::DataType::String:
        return TypeGroup::String;
    case dbase::DataType::Date:
        return TypeGroup::DateTime;
    case dbase::DataType::SmallInt:
    case dbase::DataType::Integer:
    case dbase::DataType::LargeInt:
        return TypeGroup::Integer;
    case dbase::DataType::Float:
        return TypeGroup::Float;
    case dbase::DataType::Boolean:
        return TypeGroup::Boolean;
    case dbase::DataType::Unsupported:
        break;
    }
    return TypeGroup::Other;
}

TypeDefaults RowDefaults::forGroup(TypeGroup group) const
{
    switch (group) {
    case TypeGroup::Boolean:
        return boolean;
    case TypeGroup::DateTime:
        return dateTime;
    case TypeGroup::Float:
        return floating;
    case TypeGroup::Integer:
        return integer;
    case TypeGroup::Memo:
        return memo;
    case TypeGroup::String:
        return string;
    case TypeGroup::Other:
        break;
    }
    return {Count::coNone, Compare::ctExact};
}

FilterField& FilterField::setDisplayLabel(QString label)
{
    m_label = std::move(label);
    return *this;
}

FilterField& FilterField::setDisplayWidth(int characters)
{
    m_width = characters;
    return *this;
}

FilterField& FilterField::setCount(Count count)
{
    m_count = count;
    if (count == Count::coTwo && m_compare == Compare::ctInternal)
        m_compare = Compare::ctInitial;
    return *this;
}

FilterField& FilterField::setCompare(Compare compare)
{
    m_compare = compare;
    if (compare == Compare::ctInternal && m_count == Count::coTwo)
        m_count = Count::coOne;
    return *this;
}

FilterField& FilterField::setCaseInsensitive(bool caseInsensitive)
{
    m_caseInsensitive = caseInsensitive;
    return *this;
}

FilterField::Resolved FilterField::resolve(const dbase::FieldDef& field,
                                           const RowDefaults& defaults) const
{
    Resolved r;
    r.group = typeGroup(field);
    const TypeDefaults typeDefaults = defaults.forGroup(r.group);
    r.label = m_label.isEmpty() ? m_fieldName : m_label;
    r.width = m_width > 0 ? m_width : defaultDisplayWidth(field);
    r.count = m_count.value_or(typeDefaults.count);
    r.compare = m_compare.value_or(typeDefaults.compare);
    r.caseInsensitive = m_caseInsensitive.value_or(defaults.caseInsensitive);
    // The setters keep the line's own settings apart; a clash is left only where a default
    // meets a setting, and then the setting wins.
    if (r.count == Count::coTwo && r.compare == Compare::ctInternal) {
        if (m_count && !m_compare)
            r.compare = Compare::ctInitial;
        else
            r.count = Count::coOne;
    }
    // Memos are not read by the engine, and fields of other types hold nothing to compare.
    if (r.group == TypeGroup::Memo || r.group == TypeGroup::Other)
        r.count = Count::coNone;
    return r;
}

int defaultDisplayWidth(const dbase::FieldDef& field)
{
    switch (field.dataType()) {
    case dbase::DataType::String:
        return field.width;
    case dbase::DataType::Date:
        return 10;
    case dbase::DataType::SmallInt:
        return 6;
    case dbase::DataType::Integer:
        return 11;
    case dbase::DataType::LargeInt:
        return 20;
    case dbase::DataType::Float:
        return 10;
    case dbase::DataType::Boolean:
        return 5;
    case dbase::DataType::Unsupported:
        break;
    }
    return field.width;
}

} // namespace views::filter
