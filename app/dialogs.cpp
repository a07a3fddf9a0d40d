#include "app/dialogs.h"

#include "views/calculator_dialog.h"
#include "views/texts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

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

namespace {

// "png" of "PNG-afbeelding (*.png)".
QString suffixOf(const QString& nameFilter)
{
    const qsizetype star = nameFilter.indexOf(QStringLiteral("*."));
    if (star < 0)
        return {};
    const qsizetype end = nameFilter.indexOf(QRegularExpression(QStringLiteral("[ ;)]")), star);
    return nameFilter.mid(star + 2, end < 0 ? -1 : end - star - 2);
}

} // namespace

QString MessageBoxDialogs::getSaveFileName(const QString& caption, const QString& filter)
{
    QFileDialog dialog(m_owner, caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffixOf(filter));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& chosen) { dialog.setDefaultSuffix(suffixOf(chosen)); });
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
