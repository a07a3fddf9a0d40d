#pragma once

#include "guard/guard.h"

#include <QWidget>

class QToolButton;

namespace dbase {
class Table;
}

namespace views {

// Four buttons that move a table's cursor: first, prior, next, last.
class DbNavigator : public QWidget
{
    Q_OBJECT
public:
    enum Button
    {
        First,
        Prior,
        Next,
        Last
    };

    DbNavigator(dbase::Table& table, QWidget* parent = nullptr);
    void setGuard(guard::Guard guard) { m_guard = std::move(guard); }
    void click(Button button); // as a press of that button

    QToolButton* button(Button button) const { return m_buttons[button]; }

private:
    dbase::Table& m_table;
    guard::Guard m_guard;
    QToolButton* m_buttons[4] = {};
};

} // namespace views
