#include "app/groups_dialog.h"

#include "app/dialogs.h"
#include "app/groups_state.h"
#include "app/groups_texts.h"
#include "relations/group_resolver.h"
#include "relations/group_statistics.h"

#include <utility>

namespace app {

namespace texts = groupstexts;

namespace {

constexpr int kNamesInCell = 3; // the names a cell lists before "…"

QString someNames(const QStringList& names)
{
    if (names.isEmpty())
        return QString();
    QString text = names.mid(0, kNamesInCell).join(QStringLiteral(", "));
    if (names.size() > kNamesInCell)
        text += QStringLiteral(", … (%1)").arg(names.size());
    return text;
}

} // namespace

GroupsDialog::GroupsDialog(store::TDataModule1& data, Dialogs& dialogs, GroupsState& state,
                           guard::Guard guard, EditRule editRule, QWidget* parent)
    : RuleListDialog({texts::kDialogTitle,
                      texts::kPrecedence,
                      texts::kColumns,
                      texts::kSaveApply,
                      relations::fieldNames(),
                      kPattern,
                      kGroup,
                      kNames,
                      {kTakenEarlier},
                      {kNr, kTransactions}},
                     std::move(guard), std::move(editRule), state.rules(), parent),
      m_data(data), m_dialogs(dialogs), m_state(state)
{
    m_guard([&] { refresh(0); });
}

bool GroupsDialog::unsaved() const
{
    return m_rules != m_state.rules();
}

bool GroupsDialog::askDiscard()
{
    return m_dialogs.askYesNo(texts::kDialogTitle, texts::kDiscard);
}

void GroupsDialog::fillRows()
{
    const std::vector<relations::RuleStatistics> statistics =
        relations::ruleStatistics(m_data.T1, m_rules);
    for (int r = 0; r < int(m_rules.size()); ++r) {
        const relations::GroupRule& rule = m_rules[std::size_t(r)];
        const relations::RuleStatistics& s = statistics[std::size_t(r)];
        // In the order of Column.
        const QStringList cells = {QString::number(r + 1),
                                   rule.active ? QStringLiteral("ja") : QStringLiteral("nee"),
                                   relations::fieldName(rule.field),
                                   relations::kindName(rule.kind),
                                   rule.pattern,
                                   rule.group,
                                   QString::number(s.transactions),
                                   someNames(s.names),
                                   someNames(s.takenEarlier)};
        QStringList tips(kColumnCount);
        tips[kPattern] = rule.pattern;
        tips[kGroup] = rule.group;
        tips[kNames] = s.names.join(u'\n');
        tips[kTakenEarlier] = s.takenEarlier.join(u'\n');
        // A rule that catches nothing, or names an earlier rule already decides, stands out.
        setRow(r, cells, rule.active && (s.transactions == 0 || !s.takenEarlier.isEmpty()), tips);
    }
}

QString GroupsDialog::testText(int field, const QString& text) const
{
    relations::RuleTexts ruleTexts;
    switch (static_cast<relations::RuleField>(field)) {
    case relations::RuleField::Naam:
        ruleTexts.naam = text;
        break;
    case relations::RuleField::Omschrijving:
        ruleTexts.omschrijving = text;
        break;
    case relations::RuleField::Reknum:
        ruleTexts.reknum = text;
        break;
    }
    const relations::GroupMatch match = relations::GroupResolver(m_rules).match(ruleTexts);
    return match.rule > 0 ? texts::kTestResult.arg(text, match.group).arg(match.rule)
                          : texts::kTestNoRule.arg(text, match.group);
}

void GroupsDialog::addRule()
{
    relations::GroupRule blank;
    blank.kind = relations::RuleKind::BeginsWith;
    addRuleFrom(blank);
}

void GroupsDialog::undo()
{
    if (m_state.undo(m_data, m_dialogs)) {
        m_rules = m_state.rules();
        refresh(0);
        emit rulesApplied();
    }
}

void GroupsDialog::saveAndApply()
{
    if (m_state.saveAndApply(m_data, m_dialogs, m_rules)) {
        m_rules = m_state.rules();
        refresh(currentRule());
        emit rulesApplied();
    }
}

} // namespace app
