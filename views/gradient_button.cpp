#include "views/gradient_button.h"

#include <QLinearGradient>
#include <QPainter>

namespace views {

GradientButton::GradientButton(const QString& text, const QColor& face, QWidget* parent)
    : QPushButton(text, parent), m_face(face)
{
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void GradientButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool down = isDown();
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, (down ? m_face.darker(120) : m_face.lighter(150)));
    gradient.setColorAt(0.5, m_face);
    gradient.setColorAt(1, m_face.darker(down ? 110 : 140));
    p.setBrush(isEnabled() ? QBrush(gradient) : QBrush(Qt::lightGray));
    p.setPen(m_face.darker(170));
    p.drawRoundedRect(r, 3, 3);
    p.setPen(Qt::white);
    p.setFont(font());
    p.drawText(rect().translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
    if (hasFocus()) {
        p.setPen(QPen(QColor(255, 255, 255, 160), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 2, 2);
    }
}

} // namespace views
