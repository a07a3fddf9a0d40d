#include "app/categories_page.h"

#include "app/categories_dialog.h"
#include "app/categories_texts.h"
#include "app/category_model.h"
#include "app/dialogs.h"
#include "app/groups_state.h"
#include "app/own_accounts_dialog.h"
#include "app/page_parts.h"
#include "app/transaction_list_dialog.h"
#include "viewlogic/texts.h"
#include "views/clickable_image.h"
#include "views/gradient_button.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace app {

namespace texts = categoriestexts;

CategoriesPage::CategoriesPage(store::TDataModule1& data, Dialogs& dialogs,
                               const GroupsState& groups, guard::Guard guard, Actions actions,
                               QWidget* parent)
    : QWidget(parent), m_data(data), m_dialogs(dialogs), m_groups(groups), m_guard(std::move(guard))
{
    QWidget* header = parts::pageHeader(this, 64);
    buildHeader(header, actions);

    m_model = new CategoryModel(this);
    m_grid = new QTableView(this);
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->horizontalHeader()->setStretchLastSection(false);
    connect(m_grid, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { m_guard([&] { showTransactions(index.row()); }); });

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(header);
    page->addWidget(m_grid, 1);
}

void CategoriesPage::buildHeader(QWidget* header, const Actions& actions)
{
    m_calculator = parts::calculatorImage(header);
    m_help = parts::helpButton(header);
    connect(m_calculator, &views::ClickableImage::clicked, this, actions.calculator);
    connect(m_help, &QPushButton::clicked, this, actions.help);

    parts::label(header, texts::kYear, {110, 11});
    m_year = new QComboBox(header);
    m_year->setGeometry(145, 7, 80, 24);
    connect(m_year, &QComboBox::currentIndexChanged, this,
            [this] { m_guard([&] { showOverview(); }); });

    m_rulesButton =
        parts::button(header, texts::kRulesButton, views::kSlateFace, QRect(240, 7, 100, 24));
    connect(m_rulesButton, &QPushButton::clicked, this, [this] { m_guard([&] { openRules(); }); });
    m_ownButton =
        parts::button(header, texts::kOwnButton, views::kSlateFace, QRect(350, 7, 130, 24));
    connect(m_ownButton, &QPushButton::clicked, this,
            [this] { m_guard([&] { openOwnAccounts(); }); });
    m_chartButton =
        parts::button(header, views::texts::kChart, views::kGreenFace, QRect(490, 7, 75, 24));
    connect(m_chartButton, &QPushButton::clicked, this, actions.chart);
    parts::label(header, texts::kDoubleClickHint, {580, 11});

    m_coverage = parts::label(header, QString(), {110, 40}, true);
    // Room for any line: the text comes later, with signs taller than the letters.
    m_coverage->setFixedSize(890, m_coverage->fontMetrics().height() + 4);
}

void CategoriesPage::invalidate()
{
    m_state.invalidate();
    if (isVisible())
        m_guard([&] { refresh(); });
}

void CategoriesPage::refresh()
{
    if (!m_data.T1.isOpen()) {
        fillYears({});
        return;
    }
    const bool fresh = !m_state.indexed();
    const categories::CategoryIndex& index = m_state.index(m_data.T1, m_groups.resolver());
    if (fresh)
        fillYears(index.years());
    showOverview();
}

void CategoriesPage::fillYears(const QList<int>& years)
{
    const int chosen = chosenYear();
    const QSignalBlocker quiet(m_year); // one overview after the list is complete
    m_year->clear();
    // Newest first: the year one looks at most.
    for (auto it = years.rbegin(); it != years.rend(); ++it)
        m_year->addItem(QString::number(*it), *it);
    const int at = m_year->findData(chosen);
    m_year->setCurrentIndex(at >= 0 ? at : 0);
}

int CategoriesPage::chosenYear() const
{
    return m_year->currentIndex() < 0 ? 0 : m_year->currentData().toInt();
}

void CategoriesPage::chooseYear(int year)
{
    const int at = m_year->findData(year);
    if (at >= 0)
        m_year->setCurrentIndex(at);
}

void CategoriesPage::showOverview()
{
    if (!m_state.indexed() || chosenYear() == 0) {
        m_model->setOverview({});
        m_coverage->setText(texts::kNoYears);
        return;
    }
    const categories::CategoryIndex& index = m_state.index(m_data.T1, m_groups.resolver());
    categories::CategoryOverview overview =
        categories::categoryOverview(index, chosenYear(), m_state.ownAccounts().leaveOut);
    m_coverage->setText(categories::coverageLine(overview));
    m_model->setOverview(std::move(overview));
}

void CategoriesPage::showTransactions(int row)
{
    const categories::CategoryOverview& overview = m_model->overview();
    if (row < 0 || row >= int(overview.rows.size()))
        return;
    const QString category = overview.rows[std::size_t(row)].category;
    const std::vector<int> records = categories::recordsOf(
        m_state.index(m_data.T1, m_groups.resolver()), category, overview.year);
    auto* list = new TransactionListDialog(m_data.T1, records,
                                           texts::kListTitle.arg(category).arg(overview.year),
                                           QString(), m_dialogs, m_guard, this);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->open();
}

void CategoriesPage::afterChange()
{
    refresh();
    emit categoriesChanged();
}

void CategoriesPage::openRules()
{
    auto* dialog = new CategoriesDialog(m_data.T1, m_groups.resolver(), m_dialogs, m_state, m_guard,
                                        categoryRuleEditor(m_data.T1, m_groups.resolver()), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &CategoriesDialog::rulesSaved, this,
            [this] { m_guard([&] { afterChange(); }); });
    dialog->open();
}

void CategoriesPage::openOwnAccounts()
{
    auto* dialog = new OwnAccountsDialog(m_state, m_guard, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &OwnAccountsDialog::changed, this, [this] { m_guard([&] { afterChange(); }); });
    dialog->open();
}

} // namespace app
