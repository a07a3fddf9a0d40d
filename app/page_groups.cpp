// The relation groups on the pages: "Groepen…" and the notice on the relations page, the notice
// on the month-totals page, and the grids' context menus that make rules.
#include "app/dialogs.h"
#include "app/fixed_costs_page.h"
#include "app/groups_dialog.h"
#include "app/groups_notice.h"
#include "app/groups_state.h"
#include "app/groups_texts.h"
#include "app/kolvaro1.h"
#include "app/merge_dialog.h"
#include "app/page_parts.h"
#include "app/rule_editor.h"
#include "relations/group_merge.h"
#include "relations/group_statistics.h"
#include "relations/transaction_groups.h"
#include "store/number_format.h"
#include "store/table_names.h"
#include "views/count_label.h"
#include "views/db_grid.h"
#include "views/gradient_button.h"
#include "views/table_model.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <algorithm>

namespace app {

namespace texts = groupstexts;
using namespace store::names;

namespace {

// The rule editor as the rules dialog opens it: modal, over the dialog.
GroupsDialog::EditRule ruleEditorOver(dbase::Table& mutaties)
{
    return [&mutaties](const relations::GroupRule& rule,
                       QWidget* parent) -> std::optional<relations::GroupRule> {
        RuleEditor editor(
            rule,
            [&mutaties](const relations::GroupRule& r) {
                return relations::transactionsCaughtBy(mutaties, r);
            },
            parent);
        if (editor.exec() != QDialog::Accepted)
            return std::nullopt;
        return editor.rule();
    };
}

} // namespace

void TForm1::buildGroupControls()
{
    QWidget* header = SRColorButton7->parentWidget();
    m_groupsButton =
        parts::button(header, texts::kGroupsButton, views::kSlateFace, QRect(734, 62, 85, 24));
    connect(m_groupsButton, &QPushButton::clicked, this, &TForm1::groupsButtonClick);
    m_groupsNotice2 = addGroupsNotice(TabSheet2);
    m_groupsNotice4 = addGroupsNotice(TabSheet4);

    // Several relations are joined at once: Shift and Ctrl extend the selection.
    RxDBGrid2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    RxDBGrid2->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* merge = new QAction(texts::kMergeAction, RxDBGrid2);
    connect(merge, &QAction::triggered, this, &TForm1::mergeRelations);
    RxDBGrid2->addAction(merge);

    RxDBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* makeRuleAction = new QAction(texts::kMakeRuleAction, RxDBGrid1);
    connect(makeRuleAction, &QAction::triggered, this, &TForm1::makeRule);
    RxDBGrid1->addAction(makeRuleAction);
    auto* why = new QAction(texts::kWhyAction, RxDBGrid1);
    connect(why, &QAction::triggered, this, &TForm1::whyThisGroup);
    RxDBGrid1->addAction(why);
}

void TForm1::showGroupsNotices()
{
    const bool applied = m_groups->applied();
    showGroupsNotice(m_groupsNotice2, applied);
    showGroupsNotice(m_groupsNotice4, applied);
}

void TForm1::afterRulesApplied()
{
    views::showRecordCount(Label9, m_data.T2);
    views::showRecordCount(Label17, m_data.T2);
    showGroupsNotices();
    showTotalsNotice();    // a rebuild brings every total up to date
    transactionsChanged(); // categories and fixed costs read the transactions' groups
}

void TForm1::groupsButtonClick()
{
    guarded([&] {
        auto* dialog = new GroupsDialog(m_data, m_dialogs, *m_groups, guard(),
                                        ruleEditorOver(m_data.T1), this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &GroupsDialog::rulesApplied, this, &TForm1::afterRulesApplied);
        dialog->open();
    });
}

void TForm1::mergeRelations()
{
    guarded([&] {
        QModelIndexList selected = RxDBGrid2->selectionModel()->selectedRows();
        std::sort(selected.begin(), selected.end());
        // The grid may show the rows sorted: its rows are mapped to the table's own positions.
        std::vector<int> positions;
        for (const QModelIndex& index : selected)
            positions.push_back(RxDBGrid2->tableModel()->tablePosition(index.row()));
        const relations::MergePlan plan = relations::mergePlan(m_data.T2, positions);
        const QStringList& names = plan.names;
        QStringList moving;
        for (const relations::MergePlan::Row& row : plan.rows)
            moving << QStringLiteral("%1   %2   %3")
                          .arg(row.naam, row.jaar, store::numfmt::formatAmount(row.cents / 100.0));
        if (names.isEmpty()) {
            m_dialogs.showError(texts::kMergeNothing);
            return;
        }
        moving << texts::kMergeTotal.arg(store::numfmt::formatAmount(plan.totalCents / 100.0));
        QStringList offered = names;
        for (const relations::GroupRule& rule : m_groups->rules())
            if (!offered.contains(rule.group))
                offered << rule.group;
        auto* dialog = new MergeDialog(moving, offered, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QDialog::accepted, this, [this, dialog, names] {
            guarded([&] {
                const auto rules =
                    relations::mergedRules(m_groups->rules(), names, dialog->group());
                if (m_groups->saveAndApply(m_data, m_dialogs, rules))
                    afterRulesApplied();
            });
        });
        dialog->open();
    });
}

void TForm1::makeRule()
{
    guarded([&] {
        if (m_data.T1.isEmpty())
            return;
        relations::GroupRule rule;
        rule.kind = relations::RuleKind::BeginsWith;
        rule.pattern = relations::withoutBranchNumber(m_data.T1.fieldByName(kNaam).asString());
        rule.group = rule.pattern;
        dbase::Table& mutaties = m_data.T1;
        auto* editor = new RuleEditor(
            rule,
            [&mutaties](const relations::GroupRule& r) {
                return relations::transactionsCaughtBy(mutaties, r);
            },
            this);
        editor->setAttribute(Qt::WA_DeleteOnClose);
        connect(editor, &QDialog::accepted, this, [this, editor] {
            guarded([&] {
                std::vector<relations::GroupRule> rules = m_groups->rules();
                rules.push_back(editor->rule());
                if (m_groups->saveAndApply(m_data, m_dialogs, rules))
                    afterRulesApplied();
            });
        });
        editor->open();
    });
}

void TForm1::whyThisGroup()
{
    guarded([&] {
        if (m_data.T1.isEmpty())
            return;
        const relations::TransactionGroups reader(m_data.T1, nullptr);
        const relations::RuleTexts current = reader.textsOfCurrent();
        const relations::GroupMatch match = m_groups->resolver().match(current);
        QString text = texts::kWhyNoRule.arg(current.naam);
        if (match.rule > 0) {
            const relations::GroupRule& rule = m_groups->rules()[std::size_t(match.rule - 1)];
            text = texts::kWhyRule.arg(current.naam, match.group)
                       .arg(match.rule)
                       .arg(relations::fieldName(rule.field), relations::kindName(rule.kind),
                            rule.pattern);
        }
        auto* box = new QMessageBox(QMessageBox::Information, texts::kWhyAction, text,
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
}

} // namespace app
