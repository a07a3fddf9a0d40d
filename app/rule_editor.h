#pragma once

#include "relations/group_rule.h"
#include "relations/group_statistics.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTimer;

namespace app {

// The boxes of one rule to add or change (active, field, kind, pattern, what it gives, note),
// and what it would catch before it is saved. OK keeps the dialog open with the message while
// the rule is refused. The kinds of rule (relation groups, categories) derive from it.
class RuleForm : public QDialog
{
    Q_OBJECT
public:
    QLineEdit* patternBox() const { return m_pattern; }
    QLineEdit* targetBox() const { return m_target; }
    QLabel* messageLabel() const { return m_message; }
    QLabel* catchesLabel() const { return m_catches; }
    // Shows what the rule as typed catches now; nothing while its pattern is unfinished.
    virtual void updatePreview() = 0;
    void accept() override;

protected:
    struct Values
    {
        bool active = true;
        int field = 0;
        relations::RuleKind kind = relations::RuleKind::Equal;
        QString pattern;
        QString target;
        QString note;
    };
    RuleForm(const QStringList& fields, const QString& targetLabel, QWidget* parent);
    // Fills the boxes and shows the preview; the derived constructor calls it.
    void start(const Values& values);
    Values values() const;
    // Keeps the rule the boxes hold as the result; throws GroupRuleError when it is refused.
    virtual void keepEntered() = 0;
    void showPreview(const QString& line, const QStringList& names);

private:
    QCheckBox* m_active;
    QComboBox* m_field;
    QComboBox* m_kind;
    QLineEdit* m_pattern;
    QLineEdit* m_target;
    QLineEdit* m_note;
    QLabel* m_message;
    QLabel* m_catches;
    QListWidget* m_names;
    QTimer* m_delay;
};

// One relation-group rule.
class RuleEditor : public RuleForm
{
    Q_OBJECT
public:
    using Preview = std::function<relations::RuleStatistics(const relations::GroupRule&)>;
    RuleEditor(const relations::GroupRule& rule, Preview preview, QWidget* parent = nullptr);

    // The rule as checkedRule() gives it, once the dialog was accepted.
    const relations::GroupRule& rule() const { return m_rule; }
    // The rule as the boxes hold it; throws GroupRuleError.
    relations::GroupRule entered() const;
    QLineEdit* groupBox() const { return targetBox(); }
    void updatePreview() override;

protected:
    void keepEntered() override { m_rule = entered(); }

private:
    relations::GroupRule m_rule;
    Preview m_preview;
};

} // namespace app
