#pragma once

#include "views/calculator.h"

#include <QDialog>

class QLineEdit;

namespace views {

// RxCalculator1: a modal pop-up over Calculator; keys by mouse or keyboard.
class CalculatorDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CalculatorDialog(QWidget* parent = nullptr);
    void press(QChar key);
    QString display() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Calculator m_calculator;
    QLineEdit* m_display;
};

// The calculator picture of the pages' top left corner.
QPixmap calculatorPicture();

} // namespace views
