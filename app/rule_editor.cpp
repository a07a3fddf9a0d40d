#include "app/rule_editor.h"

#include "app/groups_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace app {

namespace texts = groupstexts;

namespace {
constexpr int kNamesShown = 200; // the preview lists this many names at most
}

RuleEditor::RuleEditor(const relations::GroupRule& rule, Preview preview, QWidget* parent)
    : QDialog(parent), m_rule(rule), m_preview(std::move(preview))
{
    setWindowTitle(texts::kRuleTitle);
    m_active = new QCheckBox(texts::kRuleActive);
    m_active->setChecked(rule.active);
    m_field = new QComboBox;
    m_field->addItems(relations::fieldNames());
    m_field->setCurrentIndex(static_cast<int>(rule.field));
    m_kind = new QComboBox;
    m_kind->addItems(relations::kindNames());
    m_kind->setCurrentIndex(static_cast<int>(rule.kind));
    m_pattern = new QLineEdit(rule.pattern);
    m_group = new QLineEdit(rule.group);
    m_note = new QLineEdit(rule.note);
    m_message = new QLabel;
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color: #B00020;"));
    m_catches = new QLabel;
    m_names = new QListWidget;
    m_names->setMinimumHeight(140);

    auto* form = new QFormLayout;
    form->addRow(QString(), m_active);
    form->addRow(texts::kRuleField, m_field);
    form->addRow(texts::kRuleKind, m_kind);
    form->addRow(texts::kRulePattern, m_pattern);
    form->addRow(texts::kRuleGroup, m_group);
    form->addRow(texts::kRuleNote, m_note);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(texts::kOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(texts::kCancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &RuleEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RuleEditor::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_message);
    layout->addWidget(m_catches);
    layout->addWidget(m_names, 1);
    layout->addWidget(buttons);
    resize(520, 420);

    // The preview reads every transaction: once the typing pauses, not at every key.
    m_delay = new QTimer(this);
    m_delay->setSingleShot(true);
    m_delay->setInterval(250);
    connect(m_delay, &QTimer::timeout, this, &RuleEditor::updatePreview);
    const auto later = [this] { m_delay->start(); };
    connect(m_pattern, &QLineEdit::textEdited, this, later);
    connect(m_field, &QComboBox::currentIndexChanged, this, later);
    connect(m_kind, &QComboBox::currentIndexChanged, this, later);
    updatePreview();
}

relations::GroupRule RuleEditor::entered() const
{
    relations::GroupRule rule;
    rule.active = m_active->isChecked();
    rule.field = static_cast<relations::RuleField>(m_field->currentIndex());
    rule.kind = static_cast<relations::RuleKind>(m_kind->currentIndex());
    rule.pattern = m_pattern->text();
    rule.group = m_group->text();
    rule.note = m_note->text();
    return relations::checkedRule(rule);
}

void RuleEditor::updatePreview()
{
    m_names->clear();
    m_catches->clear();
    if (!m_preview)
        return;
    // What the rule catches does not depend on its group or note.
    relations::GroupRule rule;
    rule.field = static_cast<relations::RuleField>(m_field->currentIndex());
    rule.kind = static_cast<relations::RuleKind>(m_kind->currentIndex());
    rule.pattern = m_pattern->text();
    rule.group = QStringLiteral("?");
    try {
        rule = relations::checkedRule(rule);
    } catch (const relations::GroupRuleError&) {
        return; // an unfinished pattern catches nothing yet; the message comes with OK
    }
    const relations::RuleStatistics caught = m_preview(rule);
    m_catches->setText(texts::kRuleCatches.arg(caught.transactions).arg(caught.names.size()));
    m_names->addItems(caught.names.mid(0, kNamesShown));
}

void RuleEditor::accept()
{
    try {
        m_rule = entered();
    } catch (const relations::GroupRuleError& error) {
        m_message->setText(QString::fromUtf8(error.what()));
        return;
    }
    QDialog::accept();
}

} // namespace app
