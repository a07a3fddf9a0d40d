#include "app/page_parts.h"

#include "views/calculator_dialog.h"
#include "views/clickable_image.h"
#include "views/gradient_button.h"
#include "views/texts.h"

#include <QFrame>
#include <QLabel>

namespace app::parts {

views::GradientButton* button(QWidget* parent, const QString& text, const QColor& face,
                              const QRect& geometry)
{
    auto* b = new views::GradientButton(text, face, parent);
    b->setGeometry(geometry);
    return b;
}

QLabel* label(QWidget* parent, const QString& text, const QPoint& at, bool bold)
{
    auto* l = new QLabel(text, parent);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    l->move(at);
    l->adjustSize();
    return l;
}

views::ClickableImage* calculatorImage(QWidget* parent)
{
    auto* image = new views::ClickableImage(views::calculatorPicture(), parent);
    image->setToolTip(views::texts::kCalculatorHint);
    image->setGeometry(8, 6, 22, 26);
    return image;
}

views::GradientButton* helpButton(QWidget* parent)
{
    auto* b = button(parent, views::texts::kHelp, views::kOliveFace, QRect(38, 7, 57, 24));
    b->setCursor(Qt::WhatsThisCursor);
    return b;
}

FilterFrame filterFrame(QWidget* parent, const QRect& geometry)
{
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Box);
    frame->setStyleSheet(QStringLiteral("QFrame#filterFrame { border: 1px solid #8C8C8C; }"));
    frame->setObjectName(QStringLiteral("filterFrame"));
    frame->setGeometry(geometry);
    QLabel* title = label(frame, views::texts::kFilter, QPoint(6, 3), true);
    title->setMinimumWidth(100);
    // The filter row itself comes with the filter logic; this keeps its place.
    auto* row = new QWidget(frame);
    row->setGeometry(6, 18, geometry.width() - 84, geometry.height() - 22);
    views::GradientButton* clear = button(frame, views::texts::kClearFilter, views::kSlateFace,
                                          QRect(geometry.width() - 72, 20, 64, 24));
    return {frame, title, row, clear};
}

QWidget* pageHeader(QWidget* page, int height)
{
    page->setAutoFillBackground(true);
    QPalette white = page->palette();
    white.setColor(QPalette::Window, Qt::white);
    page->setPalette(white);
    auto* header = new QWidget(page);
    header->setFixedHeight(height);
    return header;
}

} // namespace app::parts
