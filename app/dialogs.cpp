#include "app/dialogs.h"

#include "views/calculator_dialog.h"
#include "views/texts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace app {

bool MessageBoxDialogs::askYesNo(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxDialogs::showError(const QString& text)
{
    QMessageBox::critical(m_owner, views::texts::kProgramTitle, text);
}

QString MessageBoxDialogs::getOpenFileName(const QString& caption, const QString& filter)
{
    QFileDialog dialog(m_owner, caption, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // A name typed without extension means a .tab file, as the filter suggests.
    dialog.setDefaultSuffix(QStringLiteral("tab"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void MessageBoxDialogs::showCalculator()
{
    views::CalculatorDialog calculator(m_owner);
    calculator.exec();
}

} // namespace app
