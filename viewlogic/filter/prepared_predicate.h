#pragma once

#include "store/dbase/row_view.h"
#include "viewlogic/filter/filter_field.h"
#include "viewlogic/filter/value_reader.h"

#include <QLocale>
#include <memory>
#include <vector>

namespace views::filter {

// One active condition as the row hands it over: the field in the open table, the line's
// settings and its applied values (the second only with two boxes).
struct ConditionInput
{
    int fieldIndex = -1;
    dbase::FieldDef field; // as the open table stores it
    FilterField::Resolved settings;
    Value first;
    Value second;
};

class Condition
{
public:
    virtual ~Condition() = default;
    virtual bool accepts(const dbase::RowView& row) const = 0;
};

// The predicate a filter row installs on its table: its conditions, prepared once from the
// applied values, are checked in the order of the row's fields and the first that fails rejects
// the row. Text comparisons follow the locale (case ignored in text fields of case-insensitive
// lines); dates compare as dates and numbers as numbers, and an empty date or number is in no
// range and equals no value.
class PreparedPredicate
{
public:
    PreparedPredicate(const std::vector<ConditionInput>& inputs, const QLocale& locale,
                      const DateSettings& dates, const void* owner);

    bool operator()(const dbase::RowView& row) const
    {
        for (const auto& condition : *m_conditions)
            if (!condition->accepts(row))
                return false;
        return true;
    }

    // Who installed the predicate, so that a row can tell its own from another row's.
    const void* owner() const { return m_owner; }

private:
    // Shared: the table keeps a copy of the predicate, and copies must be cheap.
    std::shared_ptr<const std::vector<std::unique_ptr<Condition>>> m_conditions;
    const void* m_owner;
};

} // namespace views::filter
