#pragma once

#include "store/dbase/table.h"
#include "viewlogic/filter/filter_field.h"
#include "viewlogic/filter/value_reader.h"

#include <QLocale>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace views::filter {

// A filter row over one table, without its widgets: per line the boxes' texts, their entered
// values and the values last applied to the table, and the row's switch. Every change of a value
// re-filters the table at once: the row's predicate goes in place of whatever predicate the table
// had, the table's switch follows the row's, and the table moves to its first presented row.
// Rows start switched off with empty boxes.
//
// Box numbers are 0 for the first box and 1 for the second. Methods that re-filter pass on the
// engine's errors.
class FilterRow
{
public:
    // Throws dbase::EngineError when the table's definition has no such field.
    FilterRow(dbase::Table& table, const std::vector<FilterField>& fields,
              const RowDefaults& defaults = {});
    FilterRow(const FilterRow&) = delete;
    FilterRow& operator=(const FilterRow&) = delete;

    // The locale of text comparisons (the user's default locale unless set) and the date
    // settings (the program's short date and today's date unless set).
    void setLocale(const QLocale& locale) { m_locale = locale; }
    void setDateSettings(const DateSettings& dates) { m_dates = dates; }
    DateSettings dateSettings() const { return m_dates.value_or(DateSettings::system()); }

    int fieldCount() const { return int(m_lines.size()); }
    const FilterField& field(int line) const { return m_lines[std::size_t(line)].definition; }
    const FilterField::Resolved& settings(int line) const
    {
        return m_lines[std::size_t(line)].settings;
    }
    int boxCount(int line) const; // 0, 1 or 2
    const QString& text(int line, int box) const { return boxAt(line, box).text; }
    const Value& entered(int line, int box) const { return boxAt(line, box).entered; }
    const Value& applied(int line, int box) const { return boxAt(line, box).applied; }

    // Typing: the user changed a box's text. The value is read leniently; when it differs from
    // the entered value it becomes the entered value and the table is re-filtered; the listener
    // hears of every change, also one that left the value as it was.
    void editText(int line, int box, const QString& text);

    // Leaving a box. A text the user changed is read strictly (FilterError on a bad text: the
    // value stays, nothing else happens) and shown in its standard form; then, when this is the
    // first of two boxes and the second is empty, the value is copied into the second box.
    void leaveBox(int line, int box);

    // Puts a typed text into a box as if the user typed it and left the box, but without the
    // copy into the second box: for callers without boxes (kolvaro-cli). Throws FilterError.
    void enterText(int line, int box, const QString& text);

    // Empties every box; re-filters once, and only when a value changed; then notifies each box
    // whose text was emptied.
    void ClearFilterValues();

    bool filtered() const { return m_filtered; }
    // Switching on puts this row's values in force on the table, also in place of another row's
    // predicate on the same table; switching off leaves the table unfiltered. Ignored while this
    // row re-filters.
    void setFiltered(bool on);

    // The change listener: the line and the box whose text changed.
    std::function<void(const FilterField& field, int box)> OnEditChange;
    // Called whenever the row itself sets a box's text (standard form, copy, clearing), so that
    // a widget can show it.
    std::function<void(int line, int box, const QString& text)> onTextSet;

    dbase::Table& table() const { return m_table; }

private:
    struct Box
    {
        QString text;
        Value entered;
        Value applied;
        bool changedByUser = false; // since the row last set the text
    };
    struct Line
    {
        FilterField definition;
        FilterField::Resolved settings;
        std::array<Box, 2> boxes;
    };

    Box& boxAt(int line, int box) { return m_lines[std::size_t(line)].boxes[std::size_t(box)]; }
    const Box& boxAt(int line, int box) const
    {
        return m_lines[std::size_t(line)].boxes[std::size_t(box)];
    }
    void putValue(int line, int box, Value value); // shown in its standard form
    void notify(int line, int box);
    bool hasActiveConditions() const;
    bool predicateInForce() const; // the table shows exactly this row's conditions
    void refilter();

    dbase::Table& m_table;
    std::vector<Line> m_lines;
    bool m_filtered = false;
    bool m_refiltering = false;
    QLocale m_locale = QLocale::system();
    std::optional<DateSettings> m_dates;
};

} // namespace views::filter
