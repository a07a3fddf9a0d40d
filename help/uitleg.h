#pragma once

#include "guard/guard.h"
#include "help/help_dialogs.h"

#include <QColor>
#include <QString>
#include <QWidget>

class QLabel;
class QTextEdit;
class QToolButton;

namespace help {

// TForm4, the help window: the help text in a rich-text editor, read-only until a double click
// on the free top strip uncovers the four tool buttons (save, load, text colour, font) and
// makes it editable; a second double click covers them again. Fixed size, white, centred over
// the main window when shown. Construction runs FormCreate, which loads "help.rtf" from the
// tables folder; the text then lives in the window until the program ends or a file replaces
// it.
class TForm4 : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kClientWidth = 486;
    static constexpr int kClientHeight = 613;

    TForm4(const QString& tablesFolder, QWidget* mainWindow, HelpDialogs& dialogs,
           guard::Guard guard);
    QString tablesFolder() const { return m_tablesFolder; }
    bool editing() const;

    // Handlers, named as the form names them.
    void FormCreate();
    void FormDblClick();
    void SpeedButton2Click(); // "Opslaan"
    void SpeedButton1Click(); // "Inlezen"
    void SpeedButton4Click(); // "Tekstkleur"
    void SpeedButton3Click(); // "Fontgrootte"

    QTextEdit* RxRichEdit1 = nullptr;
    QLabel* Image1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QLabel* Label1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void load(const QString& path);
    void showToolButtons(bool shown);
    QToolButton* toolButton(const QIcon& icon, const QString& hint, int left);

    QString m_tablesFolder;
    QWidget* m_mainWindow;
    HelpDialogs& m_dialogs;
    guard::Guard m_guard;
    QColor m_colour = Qt::black; // the colour dialog's, kept while the program runs
    bool m_open = false;         // shown and not closed since (minimised counts as open)
};

} // namespace help
