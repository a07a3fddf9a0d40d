#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

namespace views {
class ClickableImage;
class GradientButton;
} // namespace views

// Small builders for the controls the pages share, placed at fixed positions like the forms.
namespace app::parts {

views::GradientButton* button(QWidget* parent, const QString& text, const QColor& face,
                              const QRect& geometry);
QLabel* label(QWidget* parent, const QString& text, const QPoint& at, bool bold = false);
views::ClickableImage* calculatorImage(QWidget* parent);
views::GradientButton* helpButton(QWidget* parent);

// A framed box with the title label "FILTER" at its top left and room for a filter row.
struct FilterFrame
{
    QFrame* frame;
    QLabel* title;
    QWidget* row;
    views::GradientButton* clear;
};
FilterFrame filterFrame(QWidget* parent, const QRect& geometry);

// The fixed-height strip at the top of a page for its controls; also gives the page its white
// face.
QWidget* pageHeader(QWidget* page, int height);

} // namespace app::parts
