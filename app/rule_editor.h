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

// One rule to add or change: its fields, and the transactions it would catch before it is
// saved. OK keeps the dialog open with the message while the rule is refused.
class RuleEditor : public QDialog
{
    Q_OBJECT
public:
    using Preview = std::function<relations::RuleStatistics(const relations::GroupRule&)>;
    RuleEditor(const relations::GroupRule& rule, Preview preview, QWidget* parent = nullptr);

    // The rule as checkedRule() gives it, once the dialog was accepted.
    const relations::GroupRule& rule() const { return m_rule; }
    // The rule as the boxes hold it; throws GroupRuleError.
    relations::GroupRule entered() const;

    QLineEdit* patternBox() const { return m_pattern; }
    QLineEdit* groupBox() const { return m_group; }
    QLabel* messageLabel() const { return m_message; }
    QLabel* catchesLabel() const { return m_catches; }
    void updatePreview();
    void accept() override;

private:
    relations::GroupRule m_rule;
    Preview m_preview;
    QCheckBox* m_active;
    QComboBox* m_field;
    QComboBox* m_kind;
    QLineEdit* m_pattern;
    QLineEdit* m_group;
    QLineEdit* m_note;
    QLabel* m_message;
    QLabel* m_catches;
    QListWidget* m_names;
    QTimer* m_delay;
};

} // namespace app
