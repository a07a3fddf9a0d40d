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

RuleForm::RuleForm(const QStringList& fields, const QString& targetLabel, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(texts::kRuleTitle);
    m_active = new QCheckBox(texts::kRuleActive);
    m_field = new QComboBox;
    m_field->addItems(fields);
    m_kind = new QComboBox;
    m_kind->addItems(relations::kindNames());
    m_pattern = new QLineEdit;
    m_target = new QLineEdit;
    m_note = new QLineEdit;
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
    form->addRow(targetLabel, m_target);
    form->addRow(texts::kRuleNote, m_note);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(texts::kOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(texts::kCancel, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &RuleForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RuleForm::reject);

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
    connect(m_delay, &QTimer::timeout, this, &RuleForm::updatePreview);
    const auto later = [this] { m_delay->start(); };
    connect(m_pattern, &QLineEdit::textEdited, this, later);
    connect(m_field, &QComboBox::currentIndexChanged, this, later);
    connect(m_kind, &QComboBox::currentIndexChanged, this, later);
}

void RuleForm::start(const Values& values)
{
    m_active->setChecked(values.active);
    m_field->setCurrentIndex(values.field);
    m_kind->setCurrentIndex(static_cast<int>(values.kind));
    m_pattern->setText(values.pattern);
    m_target->setText(values.target);
    m_note->setText(values.note);
    m_delay->stop();
    updatePreview();
}

RuleForm::Values RuleForm::values() const
{
    return {m_active->isChecked(),
            m_field->currentIndex(),
            static_cast<relations::RuleKind>(m_kind->currentIndex()),
            m_pattern->text(),
            m_target->text(),
            m_note->text()};
}

void RuleForm::showPreview(const QString& line, const QStringList& names)
{
    m_catches->setText(line);
    m_names->clear();
    m_names->addItems(names.mid(0, kNamesShown));
}

void RuleForm::accept()
{
    try {
        keepEntered();
    } catch (const relations::GroupRuleError& error) {
        m_message->setText(QString::fromUtf8(error.what()));
        return;
    }
    QDialog::accept();
}

RuleEditor::RuleEditor(const relations::GroupRule& rule, Preview preview, QWidget* parent)
    : RuleForm(relations::fieldNames(), texts::kRuleGroup, parent), m_rule(rule),
      m_preview(std::move(preview))
{
    start({rule.active, static_cast<int>(rule.field), rule.kind, rule.pattern, rule.group,
           rule.note});
}

relations::GroupRule RuleEditor::entered() const
{
    const Values v = values();
    relations::GroupRule rule;
    rule.active = v.active;
    rule.field = static_cast<relations::RuleField>(v.field);
    rule.kind = v.kind;
    rule.pattern = v.pattern;
    rule.group = v.target;
    rule.note = v.note;
    return relations::checkedRule(rule);
}

void RuleEditor::updatePreview()
{
    showPreview(QString(), {});
    if (!m_preview)
        return;
    // What the rule catches does not depend on its group or note.
    const Values v = values();
    relations::GroupRule rule;
    rule.field = static_cast<relations::RuleField>(v.field);
    rule.kind = v.kind;
    rule.pattern = v.pattern;
    rule.group = QStringLiteral("?");
    try {
        rule = relations::checkedRule(rule);
    } catch (const relations::GroupRuleError&) {
        return; // an unfinished pattern catches nothing yet; the message comes with OK
    }
    const relations::RuleStatistics caught = m_preview(rule);
    showPreview(texts::kRuleCatches.arg(caught.transactions).arg(caught.names.size()),
                caught.names);
}

} // namespace app
