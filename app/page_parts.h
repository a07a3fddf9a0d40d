#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

namespace views {
class ClickableImage;
class FilterPanel;
class GradientButton;
} // namespace views

// Small builders for the controls the pages share, placed at fixed positions like the forms.
namespace app::parts {

views::GradientButton* button(QWidget* parent, const QString& text, const QColor& face,
                              const QRect& geometry);
QLabel* label(QWidget* parent, const QString& text, const QPoint& at, bool bold = false);
views::ClickableImage* calculatorImage(QWidget* parent);
views::GradientButton* helpButton(QWidget* parent);

// A frame around a filter row, sized to it: the state label (initially "FILTER") centred on its
// top edge, the " Wis" button at its right.
struct FilterFrame
{
    QFrame* frame;
    QLabel* title;
    views::GradientButton* clear;
};
FilterFrame filterFrame(QWidget* parent, const QPoint& at, views::FilterPanel* row);

// A bar across a page for a notice the user must not miss; hidden while it has no text.
QLabel* noticeBar(QWidget* page);

// A notice bar with a button at its right; hidden while it has no text.
struct ButtonNotice
{
    QFrame* bar;
    QLabel* text;
    views::GradientButton* button;
    void show(const QString& notice); // the text, or hidden when empty
};
ButtonNotice buttonNotice(QWidget* page, const QString& buttonText);

// The fixed-height strip at the top of a page for its controls; also gives the page its white
// face.
QWidget* pageHeader(QWidget* page, int height);

} // namespace app::parts
