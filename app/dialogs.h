#pragma once

#include <QString>

class QWidget;

namespace app {

// Every modal box of the main window goes through here, so that tests answer them instead of a
// user.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // A Yes/No question without an icon or owner window; No is the default button.
    virtual bool askYesNo(const QString& caption, const QString& text) = 0;
    // The standard error message box, captioned with the program's title.
    virtual void showError(const QString& text) = 0;
    // The file-open dialog; empty when the user cancels.
    virtual QString getOpenFileName(const QString& caption, const QString& filter) = 0;
    // The file-save dialog; empty when the user cancels. A name typed without extension gets
    // the one of the chosen filter.
    virtual QString getSaveFileName(const QString& caption, const QString& filter) = 0;
    // The calculator pop-up, modal.
    virtual void showCalculator() = 0;
};

// The real boxes (QMessageBox, QFileDialog, the calculator dialog).
class MessageBoxDialogs : public Dialogs
{
public:
    explicit MessageBoxDialogs(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    bool askYesNo(const QString& caption, const QString& text) override;
    void showError(const QString& text) override;
    QString getOpenFileName(const QString& caption, const QString& filter) override;
    QString getSaveFileName(const QString& caption, const QString& filter) override;
    void showCalculator() override;

private:
    QWidget* m_owner;
};

} // namespace app
