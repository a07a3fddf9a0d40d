// The categories on the main window: the page "Rubrieken" and the grids' context menus that
// explain a category, give relations one, and mark an own account.
#include "app/categories_page.h"
#include "app/categories_texts.h"
#include "app/dialogs.h"
#include "app/fixed_costs_page.h"
#include "app/groups_state.h"
#include "app/kolvaro1.h"
#include "categories/relation_account.h"
#include "categories/transaction_rows.h"
#include "charts/series/chart_list.h"
#include "store/table_names.h"
#include "views/db_grid.h"
#include "views/table_model.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QTabWidget>
#include <algorithm>

namespace app {

namespace texts = categoriestexts;
using namespace store::names;

void TForm1::buildCategoriesPage()
{
    CategoriesPage::Actions actions;
    actions.help = [this] { SRColorButton11Click(); };
    actions.calculator = [this] { Image2Click(); };
    actions.chart = [this] { showChart(charts::kCategoriesChart); };
    TabSheet5 = new CategoriesPage(m_data, m_dialogs, *m_groups, guard(), actions);
    PageControl1->addTab(TabSheet5, texts::kPageTitle);

    auto* why = new QAction(texts::kWhyAction, RxDBGrid1);
    connect(why, &QAction::triggered, this, &TForm1::whyThisCategory);
    RxDBGrid1->addAction(why);
    auto* give = new QAction(texts::kGiveAction, RxDBGrid2);
    connect(give, &QAction::triggered, this, &TForm1::giveCategory);
    RxDBGrid2->addAction(give);
    auto* own = new QAction(texts::kOwnAction, RxDBGrid2);
    connect(own, &QAction::triggered, this, &TForm1::markOwnAccount);
    RxDBGrid2->addAction(own);
}

void TForm1::TabSheet5Show()
{
    guarded([&] { TabSheet5->refresh(); });
}

void TForm1::transactionsChanged()
{
    TabSheet5->invalidate();
    m_fixedCostsPage->markStale();
}

QStringList TForm1::chartYears(const QString& chart) const
{
    if (chart == charts::kCategoriesChart)
        return TabSheet5->chosenYear() > 0 ? QStringList{QString::number(TabSheet5->chosenYear())}
                                           : QStringList();
    return tickedYears();
}

void TForm1::whyThisCategory()
{
    guarded([&] {
        if (m_data.T1.isEmpty())
            return;
        const CategoriesState& state = TabSheet5->state();
        const categories::CategoryTexts current =
            categories::TransactionRows(m_data.T1, m_groups->resolver(), &state.resolver())
                .textsWithGroup(m_data.T1.currentRow());
        const categories::CategoryMatch match = state.resolver().match(current);
        auto* box = new QMessageBox(QMessageBox::Information, texts::kWhyAction,
                                    categories::whyText(match, current, state.rules()),
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
}

void TForm1::giveCategory()
{
    guarded([&] {
        QModelIndexList selected = RxDBGrid2->selectionModel()->selectedRows();
        std::sort(selected.begin(), selected.end());
        // The names of the rows the user selected, each once, in the grid's order.
        QStringList names;
        const int naam = m_data.T2.fieldIndex(kNaam);
        for (const QModelIndex& index : selected) {
            const int position = RxDBGrid2->tableModel()->tablePosition(index.row());
            const QString name = m_data.T2.rowAt(position).asString(naam);
            if (!name.isEmpty() && !names.contains(name))
                names << name;
        }
        if (names.isEmpty()) {
            m_dialogs.showError(texts::kGiveNothing);
            return;
        }
        CategoriesState& state = TabSheet5->state();
        QStringList used;
        for (const categories::CategoryRule& rule : state.rules())
            if (!used.contains(rule.category))
                used << rule.category;
        used.sort(Qt::CaseInsensitive);
        const std::optional<QString> category = m_dialogs.askText(
            texts::kGiveTitle, texts::kGiveText.arg(names.join(QStringLiteral(", "))), used);
        if (!category)
            return;
        std::vector<categories::CategoryRule> rules = state.rules();
        for (const QString& name : names) {
            categories::CategoryRule rule;
            rule.field = categories::CategoryField::Groep;
            rule.kind = relations::RuleKind::Equal;
            rule.pattern = name;
            rule.category = category->trimmed();
            rules.push_back(rule);
        }
        if (state.save(m_data.T1, m_groups->resolver(), m_dialogs, rules))
            TabSheet5->invalidate();
    });
}

void TForm1::markOwnAccount()
{
    guarded([&] {
        if (m_data.T2.isEmpty())
            return;
        const QString naam = m_data.T2.fieldByName(kNaam).asString();
        const QString account =
            categories::mostFrequentReknum(m_data.T1, m_groups->resolver(), naam);
        if (account.isEmpty()) {
            m_dialogs.showError(texts::kOwnNoAccount.arg(naam));
            return;
        }
        // The import keeps a domestic IBAN without its first four characters: put them back.
        const QString own = categories::accountOfReknum(account).value_or(account);
        TabSheet5->state().addOwnAccount(own); // refuses what is no account, with the reason
        TabSheet5->invalidate();
        m_dialogs.showMessage(texts::kOwnAction, texts::kOwnAdded.arg(own));
    });
}

} // namespace app
