#include "views/calculator_dialog.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace views {

CalculatorDialog::CalculatorDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Calculator"));
    auto* grid = new QGridLayout(this);
    m_display = new QLineEdit(m_calculator.display(), this);
    m_display->setReadOnly(true);
    m_display->setAlignment(Qt::AlignRight);
    m_display->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(m_display, 0, 0, 1, 4);
    struct Key
    {
        const char16_t* caption;
        char16_t key;
        int row, column, span;
    };
    static const Key keys[] = {
        {u"C", u'C', 1, 0, 1}, {u"\u2190", u'\b', 1, 1, 1}, {u"\u00b1", u'N', 1, 2, 1},
        {u"/", u'/', 1, 3, 1}, {u"7", u'7', 2, 0, 1},       {u"8", u'8', 2, 1, 1},
        {u"9", u'9', 2, 2, 1}, {u"*", u'*', 2, 3, 1},       {u"4", u'4', 3, 0, 1},
        {u"5", u'5', 3, 1, 1}, {u"6", u'6', 3, 2, 1},       {u"-", u'-', 3, 3, 1},
        {u"1", u'1', 4, 0, 1}, {u"2", u'2', 4, 1, 1},       {u"3", u'3', 4, 2, 1},
        {u"+", u'+', 4, 3, 1}, {u"0", u'0', 5, 0, 1},       {u",", u',', 5, 1, 1},
        {u"=", u'=', 5, 2, 2}};
    for (const Key& k : keys) {
        auto* button = new QPushButton(QString::fromUtf16(k.caption), this);
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumSize(34, 26);
        const QChar key(k.key);
        connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
        grid->addWidget(button, k.row, k.column, 1, k.span);
    }
    setFixedSize(sizeHint());
}

void CalculatorDialog::press(QChar key)
{
    m_calculator.press(key);
    m_display->setText(m_calculator.display());
}

QString CalculatorDialog::display() const
{
    return m_calculator.display();
}

void CalculatorDialog::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (event->key() == Qt::Key_Backspace) {
        press(u'\b');
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        press(u'=');
    } else if (event->key() == Qt::Key_Delete) {
        press(u'C');
    } else if (text.size() == 1 && QStringLiteral("0123456789,.+-*/=").contains(text[0])) {
        press(text[0] == u'.' ? QChar(u',') : text[0]);
    } else {
        QDialog::keyPressEvent(event);
    }
}

QPixmap calculatorPicture()
{
    QPixmap pixmap(22, 26);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.setBrush(QColor(0x70, 0x70, 0x78));
    p.drawRoundedRect(QRectF(0.5, 0.5, 21, 25), 2, 2);
    p.setBrush(QColor(0xC8, 0xE6, 0xC8));
    p.drawRect(3, 3, 15, 6);
    p.setPen(Qt::NoPen);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            p.setBrush(c == 2 && r == 2 ? QColor(0xE0, 0x70, 0x30) : QColor(0xF0, 0xF0, 0xF0));
            p.drawRect(3 + c * 6, 12 + r * 4, 4, 3);
        }
    return pixmap;
}

} // namespace views
