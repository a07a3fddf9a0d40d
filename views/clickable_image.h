#pragma once

#include <QLabel>

namespace views {

// A picture that reports a click (the pages' calculator images).
class ClickableImage : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableImage(const QPixmap& picture, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace views
