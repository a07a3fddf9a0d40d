#include "app/dialogs.h"

#include "help/font_colour_dialog.h"
#include "viewlogic/texts.h"
#include "views/calculator_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>

namespace app {

QWidget* MessageBoxDialogs::parent() const
{
    QWidget* active = QApplication::activeWindow();
    return active ? active : m_owner;
}

bool MessageBoxDialogs::askYesNo(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxDialogs::showError(const QString& text)
{
    QMessageBox::critical(parent(), views::texts::kProgramTitle, text);
}

void MessageBoxDialogs::showMessage(const QString& caption, const QString& text)
{
    QMessageBox::information(parent(), caption, text);
}

QString MessageBoxDialogs::getOpenFileName(const QString& caption, const QString& filter,
                                           const QString& defaultSuffix)
{
    QFileDialog dialog(parent(), caption, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
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
    QFileDialog dialog(parent(), caption, QString(), filter);
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

QString MessageBoxDialogs::getSaveDocumentName(const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(parent(), QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> MessageBoxDialogs::getColour(const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent());
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

std::optional<help::FontChoice> MessageBoxDialogs::getFont(const help::FontChoice& initial)
{
    return help::FontColourDialog::ask(initial, parent());
}

void MessageBoxDialogs::showCalculator()
{
    views::CalculatorDialog calculator(parent());
    calculator.exec();
}

std::optional<int> MessageBoxDialogs::chooseItem(const QString& caption, const QString& text,
                                                 const QStringList& items)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent(), caption, text, items, 0, false, &ok);
    if (!ok)
        return std::nullopt;
    return int(items.indexOf(chosen));
}

std::optional<QString> MessageBoxDialogs::askText(const QString& caption, const QString& text,
                                                  const QStringList& suggestions)
{
    bool ok = false;
    // An editable list: a name used before is picked, a new one typed.
    const QString typed =
        suggestions.isEmpty()
            ? QInputDialog::getText(parent(), caption, text, QLineEdit::Normal, QString(), &ok)
            : QInputDialog::getItem(parent(), caption, text, suggestions, -1, true, &ok);
    if (!ok)
        return std::nullopt;
    return typed;
}

} // namespace app
