#include "help/uitleg.h"

#include "help/document_file.h"
#include "help/help_pictures.h"
#include "help/help_texts.h"

#include <QHideEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <memory>

namespace help {

TForm4::TForm4(const QString& tablesFolder, QWidget* mainWindow, HelpDialogs& dialogs,
               guard::Guard guard)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      m_tablesFolder(tablesFolder), m_mainWindow(mainWindow), m_dialogs(dialogs),
      m_guard(std::move(guard))
{
    setWindowTitle(texts::kCaption);
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);

    RxRichEdit1 = new QTextEdit(this);
    // Flat and frameless, so it can start at the window's edge rather than a pixel before it.
    RxRichEdit1->setGeometry(0, 44, 484, 565);
    RxRichEdit1->setFrameShape(QFrame::NoFrame);
    RxRichEdit1->setReadOnly(true);
    RxRichEdit1->setAcceptRichText(true);
    QPalette white = RxRichEdit1->palette();
    white.setColor(QPalette::Base, Qt::white);
    RxRichEdit1->setPalette(white);

    SpeedButton2 = toolButton(saveIcon(), texts::kSave, 5);
    SpeedButton1 = toolButton(openIcon(), texts::kLoad, 37);
    SpeedButton4 = toolButton(textColourIcon(), texts::kTextColour, 69);
    SpeedButton3 = toolButton(fontIcon(), texts::kFont, 101);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm4::SpeedButton2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm4::SpeedButton1Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm4::SpeedButton4Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm4::SpeedButton3Click);

    // The picture takes the buttons' place in read mode; they are hidden under it, so that it
    // keeps their clicks (and its own double clicks) to itself.
    Image1 = new QLabel(this);
    Image1->setPixmap(logoPicture());
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setGeometry(0, 0, 145, 44);
    Image1->setAutoFillBackground(true);
    Image1->setAttribute(Qt::WA_NoMousePropagation);
    Image1->raise();

    Label1 = new QLabel(texts::kVersion, this);
    Label1->move(368, 16);
    Label1->adjustSize();
    Label1->setAttribute(Qt::WA_NoMousePropagation);
    showToolButtons(false);

    FormCreate();
}

QToolButton* TForm4::toolButton(const QIcon& icon, const QString& hint, int left)
{
    auto* button = new QToolButton(this);
    button->setIcon(icon);
    button->setIconSize(QSize(20, 20));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setGeometry(left, 11, 30, 30);
    return button;
}

void TForm4::showToolButtons(bool shown)
{
    for (QToolButton* button : {SpeedButton2, SpeedButton1, SpeedButton4, SpeedButton3})
        button->setVisible(shown);
}

bool TForm4::editing() const
{
    return Image1->isHidden();
}

void TForm4::FormCreate()
{
    // The tables folder ends in a separator; when start-up left it empty the bare name is
    // taken from the working folder.
    m_guard([&] { load(m_tablesFolder + texts::kHelpFileName); });
}

void TForm4::load(const QString& path)
{
    // Read into a document of its own, so that a failed load leaves the shown text alone.
    auto document = std::make_unique<QTextDocument>(RxRichEdit1);
    document->setDefaultFont(RxRichEdit1->font());
    loadDocument(path, *document);
    RxRichEdit1->setDocument(document.release()); // the editor deletes the previous one
}

void TForm4::FormDblClick()
{
    const bool edit = !editing();
    Image1->setHidden(edit);
    showToolButtons(edit);
    RxRichEdit1->setReadOnly(!edit);
}

void TForm4::SpeedButton2Click()
{
    m_guard([&] {
        const QString path =
            m_dialogs.getSaveDocumentName(texts::kRichTextFilter, texts::kRichTextSuffix);
        if (!path.isEmpty())
            saveDocument(*RxRichEdit1->document(), path);
    });
}

void TForm4::SpeedButton1Click()
{
    m_guard([&] {
        const QString path =
            m_dialogs.getOpenFileName(QString(), texts::kRichTextFilter, texts::kRichTextSuffix);
        if (!path.isEmpty())
            load(path);
    });
}

void TForm4::SpeedButton4Click()
{
    const std::optional<QColor> colour = m_dialogs.getColour(m_colour);
    if (colour) {
        m_colour = *colour;
        QTextCursor cursor = RxRichEdit1->textCursor();
        if (cursor.hasSelection()) {
            QTextCharFormat format;
            format.setForeground(m_colour);
            cursor.mergeCharFormat(format);
        }
    }
    RxRichEdit1->setFocus();
}

void TForm4::SpeedButton3Click()
{
    QTextCursor cursor = RxRichEdit1->textCursor();
    // The selection's attributes are those of its first character.
    QTextCursor first(RxRichEdit1->document());
    first.setPosition(cursor.hasSelection() ? cursor.selectionStart() + 1 : cursor.position());
    const QTextCharFormat current = first.charFormat();
    FontChoice initial{current.font().resolve(RxRichEdit1->document()->defaultFont()),
                       current.foreground().style() != Qt::NoBrush
                           ? current.foreground().color()
                           : RxRichEdit1->palette().color(QPalette::Text)};

    const std::optional<FontChoice> choice = m_dialogs.getFont(initial);
    if (choice && cursor.hasSelection()) {
        QTextCharFormat format;
        format.setFontFamilies(QStringList{choice->font.family()});
        if (choice->font.pointSizeF() > 0)
            format.setFontPointSize(choice->font.pointSizeF());
        format.setFontWeight(choice->font.weight());
        format.setFontItalic(choice->font.italic());
        format.setFontUnderline(choice->font.underline());
        format.setFontStrikeOut(choice->font.strikeOut());
        format.setForeground(choice->colour);
        cursor.mergeCharFormat(format);
    }
    RxRichEdit1->setFocus();
}

void TForm4::showEvent(QShowEvent* event)
{
    // Centred when it opens; restored from the task bar it stays where the user put it.
    if (m_mainWindow && !event->spontaneous() && !m_open) {
        QRect frame = geometry();
        frame.moveCenter(m_mainWindow->geometry().center());
        move(frame.topLeft());
    }
    if (!event->spontaneous())
        m_open = true;
    QWidget::showEvent(event);
}

void TForm4::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous() && !isMinimized())
        m_open = false;
    QWidget::hideEvent(event);
}

void TForm4::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Only the free surface gets here: the editor, buttons, picture and label keep theirs.
    if (event->button() == Qt::LeftButton)
        FormDblClick();
    QWidget::mouseDoubleClickEvent(event);
}

} // namespace help
