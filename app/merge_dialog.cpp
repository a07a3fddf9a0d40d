#include "app/merge_dialog.h"

#include "app/groups_texts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace app {

namespace texts = groupstexts;

MergeDialog::MergeDialog(const QStringList& moving, const QStringList& groups, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(texts::kMergeTitle);
    m_group = new QComboBox;
    m_group->setEditable(true);
    m_group->setInsertPolicy(QComboBox::NoInsert);
    m_group->addItems(groups);
    auto* list = new QListWidget;
    list->addItems(moving);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(texts::kOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(texts::kCancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &MergeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MergeDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(texts::kMergeGroup));
    layout->addWidget(m_group);
    layout->addWidget(new QLabel(texts::kMergeMoves));
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    resize(480, 360);
}

QString MergeDialog::group() const
{
    return m_group->currentText();
}

} // namespace app
