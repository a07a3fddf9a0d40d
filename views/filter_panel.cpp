#include "views/filter_panel.h"

#include "viewlogic/texts.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <algorithm>

namespace views {

namespace {

constexpr int kLineGap = 2;     // between the lines
constexpr int kLabelGap = 4;    // between a caption, "van" or "t/m" and the next box
constexpr int kBoxPadding = 10; // frame, margins and cursor of a box around its characters

} // namespace

FilterBox::FilterBox(filter::TypeGroup group, QWidget* parent) : QLineEdit(parent), m_group(group)
{
    setStyleSheet(QStringLiteral(
        "QLineEdit { background-color: white; border: 1px solid #7F9DB9; padding: 0 1px; }"));
}

void FilterBox::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!command && !typed.isEmpty() && typed[0].isPrint() &&
        !std::all_of(typed.begin(), typed.end(),
                     [this](QChar c) { return filter::acceptsCharacter(m_group, c); })) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FilterBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Only a move to another control of the window leaves the box: not a message box, another
    // window or a context menu taking the focus for a while.
    switch (event->reason()) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        emit left();
        break;
    default:
        break;
    }
}

FilterPanel::FilterPanel(dbase::Table& table, const std::vector<filter::FilterField>& fields,
                         QWidget* parent)
    : QWidget(parent), m_row(std::make_unique<filter::FilterRow>(table, fields))
{
    for (int line = 0; line < m_row->fieldCount(); ++line) {
        m_captions.push_back(new QLabel(m_row->settings(line).label, this));
        std::array<FilterBox*, 2> boxes{};
        std::array<QLabel*, 2> labels{};
        for (int b = 0; b < m_row->boxCount(line); ++b) {
            auto* box = new FilterBox(m_row->settings(line).group, this);
            connect(box, &QLineEdit::textEdited, this, [this, line, b](const QString& text) {
                run([&] { m_row->editText(line, b, text); });
            });
            connect(box, &FilterBox::left, this, [this, line, b] { boxLeft(line, b); });
            boxes[std::size_t(b)] = box;
        }
        if (m_row->boxCount(line) == 2) {
            labels[0] = new QLabel(texts::kFilterFrom, this);
            labels[1] = new QLabel(texts::kFilterTo, this);
        }
        m_boxes.push_back(boxes);
        m_rangeLabels.push_back(labels);
    }
    m_row->OnEditChange = [this](const filter::FilterField& field, int b) {
        emit changed(field, b);
    };
    m_row->onTextSet = [this](int line, int b, const QString& text) {
        if (FilterBox* target = box(line, b))
            target->setText(text); // not an edit: textEdited stays silent
    };
    layOut();
}

FilterPanel::~FilterPanel()
{
    // The boxes outlive the row by a moment (Qt deletes children last); they must not reach it.
    for (const auto& boxes : m_boxes)
        for (FilterBox* box : boxes)
            if (box)
                box->disconnect(this);
}

FilterBox* FilterPanel::box(int line, int b) const
{
    return m_boxes[std::size_t(line)][std::size_t(b)];
}

void FilterPanel::layOut()
{
    const QFontMetrics metrics(font());
    const int lineHeight = metrics.height() + 4;
    int captionWidth = 0, fromWidth = 0;
    for (QLabel* caption : m_captions)
        captionWidth = std::max(captionWidth, caption->sizeHint().width());
    for (const auto& labels : m_rangeLabels)
        if (labels[0])
            fromWidth = labels[0]->sizeHint().width() + kLabelGap;
    const int firstLeft = captionWidth + kLabelGap + fromWidth;

    int right = firstLeft;
    for (int line = 0; line < m_row->fieldCount(); ++line) {
        const int top = line * (lineHeight + kLineGap);
        const int boxWidth =
            metrics.horizontalAdvance(QString(m_row->settings(line).width, u'0')) + kBoxPadding;
        m_captions[std::size_t(line)]->setGeometry(0, top, captionWidth, lineHeight);
        const auto& labels = m_rangeLabels[std::size_t(line)];
        int x = firstLeft;
        for (int b = 0; b < m_row->boxCount(line); ++b) {
            if (labels[std::size_t(b)]) {
                QLabel* label = labels[std::size_t(b)];
                const int width = label->sizeHint().width();
                // "van" just left of the first box, "t/m" between the two.
                const int left = b == 0 ? firstLeft - kLabelGap - width : x;
                label->setGeometry(left, top, width, lineHeight);
                if (b == 1)
                    x += width + kLabelGap;
            }
            box(line, b)->setGeometry(x, top, boxWidth, lineHeight);
            x += boxWidth + kLabelGap;
        }
        right = std::max(right, x - kLabelGap);
    }
    const int lines = m_row->fieldCount();
    setFixedSize(right, std::max(0, lines * lineHeight + (lines - 1) * kLineGap));
}

void FilterPanel::run(const std::function<void()>& body)
{
    guard::run(m_guard, body);
}

void FilterPanel::boxLeft(int line, int b)
{
    bool failed = true;
    run([&] {
        m_row->leaveBox(line, b);
        failed = false;
    });
    if (!failed)
        return;
    // The focus is on its way to another control; it comes back once that move is done.
    FilterBox* target = box(line, b);
    QTimer::singleShot(0, target, [target] { target->setFocus(Qt::OtherFocusReason); });
}

} // namespace views
