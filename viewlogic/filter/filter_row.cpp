#include "viewlogic/filter/filter_row.h"

#include "store/dbase/engine_error.h"
#include "store/dbase/update_blocker.h"
#include "viewlogic/filter/prepared_predicate.h"

using namespace Qt::StringLiterals;

namespace views::filter {

FilterRow::FilterRow(dbase::Table& table, const std::vector<FilterField>& fields,
                     const RowDefaults& defaults)
    : m_table(table)
{
    // The lines are laid out before the table opens, so they are resolved against its definition.
    const std::vector<dbase::FieldDef>& defs = table.definition().fields;
    for (const FilterField& field : fields) {
        const auto def = std::find_if(defs.begin(), defs.end(), [&](const dbase::FieldDef& d) {
            return d.name.compare(field.fieldName(), Qt::CaseInsensitive) == 0;
        });
        if (def == defs.end())
            throw dbase::EngineError(u"Field '%1' not found"_s.arg(field.fieldName()));
        m_lines.push_back({field, field.resolve(*def, defaults), {}});
    }
}

int FilterRow::boxCount(int line) const
{
    switch (settings(line).count) {
    case Count::coNone:
        return 0;
    case Count::coOne:
        return 1;
    case Count::coTwo:
        return 2;
    }
    return 0;
}

void FilterRow::editText(int line, int box, const QString& text)
{
    Box& b = boxAt(line, box);
    b.text = text;
    b.changedByUser = true;
    std::optional<Value> value = readLenient(settings(line).group, text, dateSettings());
    if (value && *value != b.entered) {
        b.entered = std::move(*value);
        refilter();
    }
    notify(line, box);
}

void FilterRow::leaveBox(int line, int box)
{
    Box& b = boxAt(line, box);
    if (b.changedByUser && !b.text.isEmpty())
        putValue(line, box, readStrict(settings(line).group, b.text, dateSettings()));
    if (box == 0 && boxCount(line) == 2 && boxAt(line, 1).text.isEmpty() &&
        !isEmpty(boxAt(line, 0).entered))
        putValue(line, 1, boxAt(line, 0).entered);
}

void FilterRow::enterText(int line, int box, const QString& text)
{
    putValue(line, box,
             text.isEmpty() ? Value{} : readStrict(settings(line).group, text, dateSettings()));
}

void FilterRow::putValue(int line, int box, Value value)
{
    Box& b = boxAt(line, box);
    b.changedByUser = false;
    const QString text = standardText(value, dateSettings());
    const bool textChanged = b.text != text;
    if (textChanged) {
        b.text = text;
        if (onTextSet)
            onTextSet(line, box, text);
    }
    const bool valueChanged = value != b.entered;
    if (valueChanged) {
        b.entered = std::move(value);
        refilter();
    }
    if (textChanged || valueChanged)
        notify(line, box);
}

void FilterRow::ClearFilterValues()
{
    std::vector<std::pair<int, int>> emptied;
    bool changed = false;
    for (int line = 0; line < fieldCount(); ++line) {
        for (int box = 0; box < 2; ++box) {
            Box& b = boxAt(line, box);
            b.changedByUser = false;
            if (!b.text.isEmpty()) {
                b.text.clear();
                emptied.emplace_back(line, box);
                if (onTextSet)
                    onTextSet(line, box, QString());
            }
            if (!isEmpty(b.entered)) {
                b.entered = Value{};
                changed = true;
            }
        }
    }
    if (changed)
        refilter();
    for (const auto& [line, box] : emptied)
        notify(line, box);
}

void FilterRow::setFiltered(bool on)
{
    if (m_refiltering)
        return;
    if (m_filtered == on && m_table.filtered() == on && (!on || predicateInForce()))
        return;
    if (!on)
        m_table.clearFilterPredicate();
    m_filtered = on;
    refilter();
}

void FilterRow::notify(int line, int box)
{
    if (OnEditChange)
        OnEditChange(field(line), box);
}

bool FilterRow::hasActiveConditions() const
{
    for (int line = 0; line < fieldCount(); ++line)
        for (int box = 0; box < boxCount(line); ++box)
            if (!isEmpty(applied(line, box)))
                return true;
    return false;
}

bool FilterRow::predicateInForce() const
{
    if (!hasActiveConditions())
        return !m_table.hasFilterPredicate();
    const auto* predicate = m_table.filterPredicate().target<PreparedPredicate>();
    return predicate && predicate->owner() == this;
}

void FilterRow::refilter()
{
    m_refiltering = true;
    struct Done
    {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_refiltering};

    std::vector<ConditionInput> conditions;
    for (int line = 0; line < fieldCount(); ++line) {
        Line& l = m_lines[std::size_t(line)];
        bool active = false;
        for (int box = 0; box < 2; ++box) {
            Box& b = l.boxes[std::size_t(box)];
            b.applied = b.entered;
            active = active || (box < boxCount(line) && !isEmpty(b.applied));
        }
        if (!active)
            continue;
        const dbase::Field field = m_table.fieldByName(l.definition.fieldName());
        conditions.push_back({field.index(), m_table.fieldDef(field.index()), l.settings,
                              l.boxes[0].applied, l.boxes[1].applied});
    }

    // The grids show the outcome once, not each step towards it.
    const dbase::UpdateBlocker block(m_table);
    const bool switchChanges = m_table.filtered() != m_filtered;
    if (m_filtered && !conditions.empty())
        m_table.setFilterPredicate(PreparedPredicate(conditions, m_locale, dateSettings(), this));
    else
        m_table.clearFilterPredicate();
    if (switchChanges)
        m_table.setFiltered(m_filtered);
    if (switchChanges || m_filtered)
        m_table.first();
}

} // namespace views::filter
