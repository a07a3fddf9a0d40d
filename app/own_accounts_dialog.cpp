#include "app/own_accounts_dialog.h"

#include "app/categories_state.h"
#include "app/categories_texts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace app {

namespace texts = categoriestexts;

OwnAccountsDialog::OwnAccountsDialog(CategoriesState& state, guard::Guard guard, QWidget* parent)
    : QDialog(parent), m_state(state), m_guard(std::move(guard))
{
    setWindowTitle(texts::kOwnTitle);
    auto* explanation = new QLabel(texts::kOwnExplanation);
    explanation->setWordWrap(true);
    m_list = new QListWidget;
    m_account = new QLineEdit;
    m_account->setPlaceholderText(texts::kOwnPlaceholder);
    auto* add = new QPushButton(texts::kOwnAdd);
    auto* remove = new QPushButton(texts::kOwnRemove);
    m_leaveOut = new QCheckBox(texts::kOwnLeaveOut);
    m_leaveOut->setChecked(state.ownAccounts().leaveOut);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(texts::kOwnClose, QDialogButtonBox::RejectRole);

    connect(add, &QPushButton::clicked, this, &OwnAccountsDialog::addAccount);
    connect(m_account, &QLineEdit::returnPressed, this, &OwnAccountsDialog::addAccount);
    connect(remove, &QPushButton::clicked, this, &OwnAccountsDialog::removeAccount);
    connect(m_leaveOut, &QCheckBox::toggled, this, &OwnAccountsDialog::setLeaveOut);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* entry = new QHBoxLayout;
    entry->addWidget(new QLabel(texts::kOwnAccount));
    entry->addWidget(m_account, 1);
    entry->addWidget(add);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(remove);
    side->addStretch(1);
    listRow->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(entry);
    layout->addLayout(listRow, 1);
    layout->addWidget(m_leaveOut);
    layout->addWidget(buttons);
    resize(460, 340);
    showAccounts();
}

void OwnAccountsDialog::showAccounts()
{
    m_list->clear();
    m_list->addItems(m_state.ownAccounts().accounts);
}

void OwnAccountsDialog::addAccount()
{
    m_guard([&] {
        m_state.addOwnAccount(m_account->text());
        m_account->clear();
        showAccounts();
        emit changed();
    });
}

void OwnAccountsDialog::removeAccount()
{
    m_guard([&] {
        const QListWidgetItem* item = m_list->currentItem();
        if (!item)
            return;
        categories::OwnAccountSettings settings = m_state.ownAccounts();
        settings.accounts.removeAll(item->text());
        m_state.saveOwnAccounts(settings);
        showAccounts();
        emit changed();
    });
}

void OwnAccountsDialog::setLeaveOut(bool on)
{
    m_guard([&] {
        categories::OwnAccountSettings settings = m_state.ownAccounts();
        settings.leaveOut = on;
        m_state.saveOwnAccounts(settings);
        emit changed();
    });
    // A switch that could not be saved shows what is in force.
    const QSignalBlocker quiet(m_leaveOut);
    m_leaveOut->setChecked(m_state.ownAccounts().leaveOut);
}

} // namespace app
