#include "views/db_navigator.h"

#include "store/dbase/table.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>

namespace views {

namespace {

// The classic glyphs: a bar and a triangle for first/last, a triangle for prior/next.
QIcon glyph(DbNavigator::Button button)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const bool left = button == DbNavigator::First || button == DbNavigator::Prior;
    const bool bar = button == DbNavigator::First || button == DbNavigator::Last;
    QPolygonF triangle;
    if (left)
        triangle << QPointF(3, 6) << QPointF(9, 1) << QPointF(9, 11);
    else
        triangle << QPointF(9, 6) << QPointF(3, 1) << QPointF(3, 11);
    p.drawPolygon(triangle);
    if (bar)
        p.drawRect(left ? QRectF(1, 1, 2, 10) : QRectF(9, 1, 2, 10));
    return QIcon(pixmap);
}

} // namespace

DbNavigator::DbNavigator(dbase::Table& table, QWidget* parent) : QWidget(parent), m_table(table)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (Button b : {First, Prior, Next, Last}) {
        auto* button = new QToolButton(this);
        button->setIcon(glyph(b));
        button->setAutoRepeat(b == Prior || b == Next);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
        m_buttons[b] = button;
        connect(button, &QToolButton::clicked, this, [this, b] { click(b); });
    }
}

void DbNavigator::click(Button button)
{
    auto move = [this, button] {
        switch (button) {
        case First:
            m_table.first();
            break;
        case Prior:
            m_table.prior();
            break;
        case Next:
            m_table.next();
            break;
        case Last:
            m_table.last();
            break;
        }
    };
    guard::run(m_guard, move);
}

} // namespace views
