#include "app/page_parts.h"

#include "viewlogic/texts.h"
#include "views/calculator_dialog.h"
#include "views/clickable_image.h"
#include "views/filter_panel.h"
#include "views/gradient_button.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>

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

FilterFrame filterFrame(QWidget* parent, const QPoint& at, views::FilterPanel* row)
{
    constexpr int kMargin = 8;
    constexpr int kClearWidth = 64, kClearHeight = 22;
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("filterFrame"));
    QLabel* title = label(frame, views::texts::kFilterOn, QPoint(0, 0), true);
    // The border runs through the middle of the title, which covers it with the page's white.
    const int titleHeight = title->height();
    frame->setStyleSheet(
        QStringLiteral("QFrame#filterFrame { border: 1px solid #8C8C8C; margin-top: %1px; }")
            .arg(titleHeight / 2));

    row->setParent(frame);
    const int top = titleHeight + 2;
    const int contentHeight = std::max(row->height(), kClearHeight);
    row->move(kMargin, top + (contentHeight - row->height()) / 2);
    views::GradientButton* clear =
        button(frame, views::texts::kClearFilter, views::kSlateFace,
               QRect(kMargin + row->width() + 2 * kMargin, top, kClearWidth, kClearHeight));
    frame->setGeometry(QRect(
        at, QSize(clear->geometry().right() + kMargin + 1, top + contentHeight + kMargin / 2 + 1)));

    // Wide enough for the longest state, so that each stays centred.
    title->setFixedWidth(title->width() + 8);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("QLabel { background-color: white; }"));
    title->setText(views::texts::kFilter);
    title->move((frame->width() - title->width()) / 2, 0);
    title->raise();
    return {frame, title, clear};
}

QLabel* noticeBar(QWidget* page)
{
    auto* bar = new QLabel(page);
    bar->setObjectName(QStringLiteral("noticeBar"));
    bar->setWordWrap(true);
    bar->setStyleSheet(
        QStringLiteral("QLabel#noticeBar { background-color: #FFF2B3; color: #000000;"
                       " border-bottom: 1px solid #C8A800; padding: 3px 8px; }"));
    bar->hide();
    return bar;
}

ButtonNotice buttonNotice(QWidget* page, const QString& buttonText)
{
    auto* bar = new QFrame(page);
    bar->setObjectName(QStringLiteral("buttonNotice"));
    bar->setStyleSheet(QStringLiteral("QFrame#buttonNotice { background-color: #FFF2B3;"
                                      " border-bottom: 1px solid #C8A800; }"));
    auto* text = new QLabel(bar);
    text->setStyleSheet(QStringLiteral("QLabel { color: #000000; }"));
    auto* button = new views::GradientButton(buttonText, views::kGreenFace, bar);
    button->setFixedSize(75, 22);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 2, 8, 2);
    row->addWidget(text, 1);
    row->addWidget(button);
    bar->hide();
    return {bar, text, button};
}

void ButtonNotice::show(const QString& notice)
{
    text->setText(notice);
    bar->setVisible(!notice.isEmpty());
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
