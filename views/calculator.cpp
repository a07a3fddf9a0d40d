#include "views/calculator.h"

#include <cmath>

namespace views {

double Calculator::value() const
{
    QString text = m_display;
    text.replace(u',', u'.');
    return text.toDouble();
}

void Calculator::showNumber(double value)
{
    if (!std::isfinite(value)) {
        m_display = QStringLiteral("Fout");
        m_error = true;
        return;
    }
    if (value == 0)
        value = 0; // no "-0"
    m_display = QString::number(value, 'g', 15).replace(u'.', u',');
}

void Calculator::applyPending()
{
    const double operand = value();
    if (m_pending == u'+')
        showNumber(m_accumulator + operand);
    else if (m_pending == u'-')
        showNumber(m_accumulator - operand);
    else if (m_pending == u'*')
        showNumber(m_accumulator * operand);
    else if (m_pending == u'/')
        showNumber(operand == 0 ? NAN : m_accumulator / operand);
    m_pending = QChar();
}

void Calculator::press(QChar key)
{
    if (key == u'C') {
        *this = Calculator();
        return;
    }
    if (m_error)
        return;
    if (key.isDigit()) {
        if (m_fresh || m_display == QStringLiteral("0"))
            m_display.clear();
        if (m_display.size() < 15)
            m_display += key;
        m_fresh = false;
    } else if (key == u',') {
        if (m_fresh) {
            m_display = QStringLiteral("0");
            m_fresh = false;
        }
        if (!m_display.contains(u','))
            m_display += u',';
    } else if (key == u'\b') {
        if (!m_fresh) {
            m_display.chop(1);
            if (m_display.isEmpty() || m_display == QStringLiteral("-"))
                m_display = QStringLiteral("0");
        }
    } else if (key == u'N') {
        if (m_display != QStringLiteral("0"))
            m_display = m_display.startsWith(u'-') ? m_display.mid(1) : u'-' + m_display;
    } else if (key == u'+' || key == u'-' || key == u'*' || key == u'/' || key == u'=') {
        if (!m_fresh || key == u'=')
            applyPending();
        m_accumulator = value();
        m_pending = key == u'=' ? QChar() : key;
        m_fresh = true;
    }
}

} // namespace views
