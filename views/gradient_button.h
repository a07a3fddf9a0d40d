#pragma once

#include <QColor>
#include <QPushButton>

namespace views {

// A push button with a vertical gradient face in its colour and a bold white caption.
class GradientButton : public QPushButton
{
    Q_OBJECT
public:
    GradientButton(const QString& text, const QColor& face, QWidget* parent = nullptr);
    QColor faceColour() const { return m_face; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_face;
};

inline const QColor kOliveFace{0xB3, 0xB3, 0x00};
inline const QColor kGreenFace{0x00, 0x80, 0x00};
inline const QColor kRedFace{0xD2, 0x00, 0x00};
inline const QColor kSlateFace{0x80, 0x80, 0xC0};

} // namespace views
