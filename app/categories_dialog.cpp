#include "app/categories_dialog.h"

#include "app/categories_state.h"
#include "app/categories_texts.h"
#include "app/dialogs.h"
#include "categories/category_statistics.h"
#include "store/number_format.h"

#include <utility>

namespace app {

namespace texts = categoriestexts;

namespace {

QString euros(qint64 cents)
{
    return store::numfmt::formatAmount(double(cents) / 100.0);
}

} // namespace

CategoryRuleEditor::CategoryRuleEditor(const categories::CategoryRule& rule, Preview preview,
                                       QWidget* parent)
    : RuleForm(categories::fieldNames(), texts::kRuleCategory, parent), m_rule(rule),
      m_preview(std::move(preview))
{
    start({rule.active, static_cast<int>(rule.field), rule.kind, rule.pattern, rule.category,
           rule.note});
}

categories::CategoryRule CategoryRuleEditor::entered() const
{
    const Values v = values();
    categories::CategoryRule rule;
    rule.active = v.active;
    rule.field = static_cast<categories::CategoryField>(v.field);
    rule.kind = v.kind;
    rule.pattern = v.pattern;
    rule.category = v.target;
    rule.note = v.note;
    return categories::checkedRule(rule);
}

void CategoryRuleEditor::updatePreview()
{
    showPreview(QString(), {});
    if (!m_preview)
        return;
    // What the rule catches does not depend on its category or note.
    const Values v = values();
    categories::CategoryRule rule;
    rule.field = static_cast<categories::CategoryField>(v.field);
    rule.kind = v.kind;
    rule.pattern = v.pattern;
    rule.category = QStringLiteral("?");
    try {
        rule = categories::checkedRule(rule);
    } catch (const relations::GroupRuleError&) {
        return; // an unfinished pattern catches nothing yet; the message comes with OK
    }
    const auto [transactions, cents] = m_preview(rule);
    showPreview(texts::kRuleCatches.arg(transactions).arg(euros(cents)), {});
}

CategoriesDialog::EditRule categoryRuleEditor(dbase::Table& mutaties,
                                              const relations::GroupResolver& groups)
{
    return [&mutaties, &groups](const categories::CategoryRule& rule,
                                QWidget* parent) -> std::optional<categories::CategoryRule> {
        CategoryRuleEditor editor(
            rule,
            [&](const categories::CategoryRule& r) {
                categories::CategoryRule alone = r;
                alone.active = true;
                const categories::CategoryRuleStatistics s =
                    categories::categoryRuleStatistics(mutaties, groups,
                                                       categories::CategoryResolver({alone}, {}))
                        .front();
                return std::pair(s.transactions, s.cents);
            },
            parent);
        if (editor.exec() != QDialog::Accepted)
            return std::nullopt;
        return editor.rule();
    };
}

CategoriesDialog::CategoriesDialog(dbase::Table& mutaties, const relations::GroupResolver& groups,
                                   Dialogs& dialogs, CategoriesState& state, guard::Guard guard,
                                   EditRule editRule, QWidget* parent)
    : RuleListDialog({texts::kDialogTitle,
                      texts::kPrecedence,
                      texts::kColumns,
                      texts::kSave,
                      categories::fieldNames(),
                      kPattern,
                      kCategory,
                      kTakenEarlier,
                      {},
                      {kNr, kTransactions, kAmount, kTakenEarlier}},
                     std::move(guard), std::move(editRule), state.rules(), parent),
      m_mutaties(mutaties), m_groups(groups), m_dialogs(dialogs), m_state(state)
{
    m_guard([&] { refresh(0); });
}

bool CategoriesDialog::unsaved() const
{
    return m_rules != m_state.rules();
}

bool CategoriesDialog::askDiscard()
{
    return m_dialogs.askYesNo(texts::kDialogTitle, texts::kDiscard);
}

void CategoriesDialog::fillRows()
{
    // Counted with the own accounts as they are: those transactions no rule decides.
    const categories::CategoryResolver resolver(m_rules, m_state.resolver().ownAccounts());
    const std::vector<categories::CategoryRuleStatistics> statistics =
        categories::categoryRuleStatistics(m_mutaties, m_groups, resolver);
    for (int r = 0; r < int(m_rules.size()); ++r) {
        const categories::CategoryRule& rule = m_rules[std::size_t(r)];
        const categories::CategoryRuleStatistics& s = statistics[std::size_t(r)];
        const QStringList cells = {QString::number(r + 1),
                                   rule.active ? QStringLiteral("ja") : QStringLiteral("nee"),
                                   categories::fieldName(rule.field),
                                   relations::kindName(rule.kind),
                                   rule.pattern,
                                   rule.category,
                                   QString::number(s.transactions),
                                   euros(s.cents),
                                   s.shadowed > 0 ? QString::number(s.shadowed) : QString()};
        QStringList tips(kColumnCount);
        tips[kPattern] = rule.pattern;
        tips[kCategory] = rule.category;
        // A rule that decides nothing, or whose catches earlier rules take, stands out.
        setRow(r, cells, rule.active && (s.transactions == 0 || s.shadowed > 0), tips);
    }
}

QString CategoriesDialog::testText(int field, const QString& text) const
{
    categories::CategoryTexts typed;
    switch (static_cast<categories::CategoryField>(field)) {
    case categories::CategoryField::Groep:
        typed.groep = text;
        break;
    case categories::CategoryField::Naam:
        typed.naam = text;
        break;
    case categories::CategoryField::Omschrijving:
        typed.omschrijving = text;
        break;
    case categories::CategoryField::Reknum:
        typed.reknum = text;
        break;
    }
    const categories::CategoryMatch match =
        categories::CategoryResolver(m_rules, m_state.resolver().ownAccounts()).match(typed);
    if (match.ownAccount)
        return texts::kTestOwn.arg(text, match.category);
    return match.rule > 0 ? texts::kTestResult.arg(text, match.category).arg(match.rule)
                          : texts::kTestNoRule.arg(text, match.category);
}

void CategoriesDialog::addRule()
{
    categories::CategoryRule blank;
    addRuleFrom(blank);
}

void CategoriesDialog::undo()
{
    if (m_state.undo(m_mutaties, m_groups, m_dialogs)) {
        m_rules = m_state.rules();
        refresh(0);
        emit rulesSaved();
    }
}

void CategoriesDialog::saveAndApply()
{
    if (m_state.save(m_mutaties, m_groups, m_dialogs, m_rules)) {
        m_rules = m_state.rules();
        refresh(currentRule());
        emit rulesSaved();
    }
}

} // namespace app
