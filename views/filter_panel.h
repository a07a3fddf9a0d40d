#pragma once

#include "guard/guard.h"
#include "viewlogic/filter/filter_row.h"

#include <QLineEdit>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

class QLabel;

namespace views {

// A box of a filter row: refuses, with a beep, keys whose character no value of its field's type
// can hold, and reports when the user leaves it for another control of the window.
class FilterBox : public QLineEdit
{
    Q_OBJECT
public:
    FilterBox(filter::TypeGroup group, QWidget* parent = nullptr);

signals:
    void left();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    filter::TypeGroup m_group;
};

// The widgets of a filter row: one line per field with its caption, the first boxes of all lines
// at one left edge, "van" and "t/m" around the boxes of a range. Typing and leaving go to the
// row's logic under the guard; a text that does not convert on leaving is reported and the focus
// goes back into its box. The panel is exactly as large as its lines.
class FilterPanel : public QWidget
{
    Q_OBJECT
public:
    FilterPanel(dbase::Table& table, const std::vector<filter::FilterField>& fields,
                QWidget* parent = nullptr);
    ~FilterPanel() override;

    filter::FilterRow& row() { return *m_row; }
    void setGuard(guard::Guard guard) { m_guard = std::move(guard); }
    FilterBox* box(int line, int box) const; // nullptr where the line has no such box

    // The row's filter in force or not, and emptying its boxes (which applies at once).
    bool filtered() const { return m_row->filtered(); }
    void setFiltered(bool on) { m_row->setFiltered(on); }
    void clear() { m_row->ClearFilterValues(); }

signals:
    // The text of a box changed (typed, left or cleared): the line's field and the box.
    void changed(const views::filter::FilterField& field, int box);

private:
    void layOut();
    void run(const std::function<void()>& body);
    void boxLeft(int line, int box);

    std::unique_ptr<filter::FilterRow> m_row;
    guard::Guard m_guard;
    std::vector<QLabel*> m_captions;
    std::vector<std::array<FilterBox*, 2>> m_boxes;
    std::vector<std::array<QLabel*, 2>> m_rangeLabels; // "van", "t/m"
};

} // namespace views
