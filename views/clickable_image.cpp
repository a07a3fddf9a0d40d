#include "views/clickable_image.h"

#include <QMouseEvent>

namespace views {

ClickableImage::ClickableImage(const QPixmap& picture, QWidget* parent) : QLabel(parent)
{
    setPixmap(picture);
    setCursor(Qt::PointingHandCursor);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace views
