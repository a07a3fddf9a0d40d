#pragma once

#include "help/help_dialogs.h"

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace app {

// Every modal box of the program goes through here, so that tests answer them instead of a
// user; the help window's dialogs come from its own interface.
class Dialogs : public help::HelpDialogs
{
public:
    // A Yes/No question without an icon or owner window; No is the default button.
    virtual bool askYesNo(const QString& caption, const QString& text) = 0;
    // The standard error message box, captioned with the program's title.
    virtual void showError(const QString& text) = 0;
    // An information box with an OK button.
    virtual void showMessage(const QString& caption, const QString& text) = 0;
    // The file-save dialog; empty when the user cancels. A name typed without extension gets
    // the one of the chosen filter.
    virtual QString getSaveFileName(const QString& caption, const QString& filter) = 0;
    // The calculator pop-up, modal.
    virtual void showCalculator() = 0;
    // A list to pick one entry from; the index of the choice, or nothing when cancelled.
    virtual std::optional<int> chooseItem(const QString& caption, const QString& text,
                                          const QStringList& items) = 0;
    // A line of text to type, or to pick from `suggestions`; nothing when cancelled.
    virtual std::optional<QString> askText(const QString& caption, const QString& text,
                                           const QStringList& suggestions) = 0;
};

// The real boxes (QMessageBox, QFileDialog, QColorDialog, the font and calculator dialogs).
class MessageBoxDialogs : public Dialogs
{
public:
    explicit MessageBoxDialogs(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    bool askYesNo(const QString& caption, const QString& text) override;
    void showError(const QString& text) override;
    void showMessage(const QString& caption, const QString& text) override;
    QString getOpenFileName(const QString& caption, const QString& filter,
                            const QString& defaultSuffix) override;
    QString getSaveFileName(const QString& caption, const QString& filter) override;
    QString getSaveDocumentName(const QString& filter, const QString& defaultSuffix) override;
    std::optional<QColor> getColour(const QColor& initial) override;
    std::optional<help::FontChoice> getFont(const help::FontChoice& initial) override;
    void showCalculator() override;
    std::optional<int> chooseItem(const QString& caption, const QString& text,
                                  const QStringList& items) override;
    std::optional<QString> askText(const QString& caption, const QString& text,
                                   const QStringList& suggestions) override;

private:
    QWidget* parent() const; // the window in front, so a box opens over the one it serves
    QWidget* m_owner;
};

} // namespace app
