#pragma once

#include <QChar>
#include <QString>

namespace views {

// A pocket calculator that works left to right, as the keys are pressed. Keys: '0'..'9', ','
// (decimal comma), '+', '-', '*', '/', '=', 'C' (clear all), 'N' (change sign), '\b' (erase
// the last digit). Division by zero shows "Fout" until 'C'.
class Calculator
{
public:
    void press(QChar key);
    QString display() const { return m_display; }
    double value() const;

private:
    void applyPending();
    void showNumber(double value);

    QString m_display = QStringLiteral("0");
    double m_accumulator = 0;
    QChar m_pending;     // operator waiting for its right operand
    bool m_fresh = true; // the next digit starts a new entry
    bool m_error = false;
};

} // namespace views
