#include "app/fixed_costs_page.h"

#include "app/dialogs.h"
#include "app/fixed_costs_model.h"
#include "app/fixed_costs_texts.h"
#include "app/page_parts.h"
#include "app/transaction_list_dialog.h"
#include "recurring/fixed_costs.h"
#include "recurring/hidden_items.h"
#include "views/clickable_image.h"
#include "views/gradient_button.h"

#include <QAction>
#include <QDateEdit>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScopeGuard>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace app {

namespace {

constexpr int kHeaderHeight = 40;
constexpr std::array<int, FixedCostsModel::kColumnCount> kColumnWidths{260, 70, 105, 105,
                                                                       95,  80, 250};

QLabel* boldLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

FixedCostsPage::FixedCostsPage(store::TDataModule1& data, Dialogs& dialogs, guard::Guard guard,
                               QWidget* parent)
    : QWidget(parent), m_data(data), m_dialogs(dialogs), m_guard(std::move(guard)),
      m_costs(new FixedCostsModel(false, this)), m_income(new FixedCostsModel(true, this))
{
    QWidget* header = parts::pageHeader(this, kHeaderHeight);
    buildHeader(header);

    m_costsView = makeView(m_costs);
    m_incomeView = makeView(m_income);
    m_costsTitle = boldLabel(this);
    m_incomeTitle = boldLabel(this);
    m_costsTotal = boldLabel(this);
    m_incomeTotal = boldLabel(this);
    m_notice = parts::noticeBar(this);

    const auto block = [](QLabel* title, QLabel* total, QTableView* view) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(8, 6, 8, 2);
        row->addWidget(title);
        row->addStretch(1);
        row->addWidget(total);
        auto* column = new QVBoxLayout;
        column->setSpacing(0);
        column->addLayout(row);
        column->addWidget(view, 1);
        return column;
    };
    m_page = new QVBoxLayout(this);
    m_page->setContentsMargins(0, 0, 0, 0);
    m_page->setSpacing(0);
    m_page->addWidget(m_notice);
    m_page->addWidget(header);
    m_costsBlock = block(m_costsTitle, m_costsTotal, m_costsView);
    m_incomeBlock = block(m_incomeTitle, m_incomeTotal, m_incomeView);
    m_page->addLayout(m_costsBlock);
    m_page->addLayout(m_incomeBlock);
    showItems();

    m_data.T1.addObserver(this);
}

FixedCostsPage::~FixedCostsPage()
{
    m_data.T1.removeObserver(this);
}

void FixedCostsPage::buildHeader(QWidget* header)
{
    m_calculator = parts::calculatorImage(header);
    m_help = parts::helpButton(header);

    QLabel* asOfLabel = parts::label(header, fixedtexts::kAsOf, {112, 11});
    m_asOf = new QDateEdit(header);
    m_asOf->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    m_asOf->setCalendarPopup(true);
    m_asOf->setToolTip(fixedtexts::kAsOfHint);
    m_asOf->setGeometry(asOfLabel->geometry().right() + 6, 7, 110, 24);
    m_asOfPause = new QTimer(this);
    m_asOfPause->setSingleShot(true);
    m_asOfPause->setInterval(400);
    connect(m_asOf, &QDateEdit::dateChanged, m_asOfPause, qOverload<>(&QTimer::start));
    connect(m_asOfPause, &QTimer::timeout, this, [this] { setAsOf(m_asOf->date()); });

    const int left = m_asOf->geometry().right() + 24;
    m_notFixed =
        parts::button(header, fixedtexts::kNotFixed, views::kSlateFace, QRect(left, 7, 90, 24));
    m_notFixed->setToolTip(fixedtexts::kNotFixedHint);
    m_notFixed->setEnabled(false);
    connect(m_notFixed, &QPushButton::clicked, this, &FixedCostsPage::hideSelected);
    m_hiddenButton =
        parts::button(header, fixedtexts::kHidden, views::kGreenFace, QRect(left + 100, 7, 95, 24));
    connect(m_hiddenButton, &QPushButton::clicked, this, &FixedCostsPage::showHidden);
    parts::label(header, fixedtexts::kDoubleClickHint, {left + 215, 11});

    m_paymentsAction = new QAction(fixedtexts::kShowPayments, this);
    m_notFixedAction = new QAction(fixedtexts::kNotFixed, this);
    m_paymentsAction->setEnabled(false);
    m_notFixedAction->setEnabled(false);
    connect(m_paymentsAction, &QAction::triggered, this, [this] {
        for (QTableView* view : {m_costsView, m_incomeView})
            if (const QModelIndexList rows = view->selectionModel()->selectedRows();
                !rows.isEmpty())
                showPayments(view, rows.first().row());
    });
    connect(m_notFixedAction, &QAction::triggered, this, &FixedCostsPage::hideSelected);
}

QTableView* FixedCostsPage::makeView(FixedCostsModel* model)
{
    auto* view = new QTableView(this);
    // A title click sorts the block; until then it keeps detection's order, by relation.
    auto* sorted = new QSortFilterProxyModel(view);
    sorted->setSourceModel(model);
    sorted->setSortRole(FixedCostsModel::kSortRole);
    sorted->setSortCaseSensitivity(Qt::CaseInsensitive);
    view->setModel(sorted);
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setHighlightSections(false);
    for (std::size_t c = 0; c < kColumnWidths.size(); ++c)
        view->setColumnWidth(int(c), kColumnWidths[c]);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    view->addAction(m_paymentsAction);
    view->addAction(m_notFixedAction);
    connect(view, &QTableView::doubleClicked, this,
            [this, view](const QModelIndex& index) { showPayments(view, index.row()); });
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, view] { selectionMoved(view); });
    return view;
}

QString FixedCostsPage::folder() const
{
    return m_data.T1.directory();
}

void FixedCostsPage::markStale()
{
    m_stale = true;
}

void FixedCostsPage::reset()
{
    const int rows = m_data.T1.isOpen() ? m_data.T1.storedRowCount() : -1;
    if (rows != m_storedRows)
        m_stale = true;
}

void FixedCostsPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale) {
        m_chosenAsOf.reset(); // new transactions: look from the newest again
        reload();
    }
}

void FixedCostsPage::reload()
{
    bool done = false;
    m_guard([&] {
        if (!m_data.T1.isOpen())
            return;
        // A long history takes a moment to go through.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        recurring::FixedCosts found = recurring::fixedCosts(m_data, m_chosenAsOf, true);
        ++m_detections;
        m_storedRows = m_data.T1.storedRowCount();
        m_hidden = recurring::loadHiddenItems(folder());
        m_all = std::move(found.items);
        m_warnings = found.warnings;
        {
            const QSignalBlocker quiet(m_asOf);
            if (found.asOf.isValid())
                m_asOf->setDate(found.asOf);
            m_asOf->setEnabled(found.asOf.isValid());
        }
        m_stale = false;
        done = true;
        showItems();
    });
    if (!done) {
        // Items of before would no longer describe the transactions; the next show tries again.
        m_all.clear();
        m_warnings.clear();
        m_storedRows = -1;
        showItems();
    }
}

void FixedCostsPage::setAsOf(const QDate& date)
{
    m_asOfPause->stop();
    if (!date.isValid() || m_chosenAsOf == date)
        return;
    m_chosenAsOf = date;
    reload();
}

void FixedCostsPage::showItems()
{
    recurring::FixedCosts shown;
    std::vector<recurring::RecurringItem> costs, income;
    for (recurring::RecurringItem& item : m_all) {
        // Hidden or brought back since detection ran.
        item.hidden = recurring::isHidden(item, m_hidden);
        if (item.hidden)
            continue;
        shown.items.push_back(item);
        (item.income ? income : costs).push_back(item);
    }
    recurring::addTotals(shown);
    m_costsTitle->setText(fixedtexts::kCostsTitle.arg(costs.size()));
    m_incomeTitle->setText(fixedtexts::kIncomeTitle.arg(income.size()));
    m_costsTotal->setText(fixedtexts::kCostsPerMonth.arg(euroText(shown.costsPerMonth)));
    m_incomeTotal->setText(fixedtexts::kIncomePerMonth.arg(euroText(shown.incomePerMonth)));
    QStringList notice = m_warnings;
    if (m_all.empty() && m_detections > 0)
        notice << (m_storedRows > 0 ? fixedtexts::kNothingFound : fixedtexts::kNoTransactions);
    m_notice->setText(notice.join(u'\n'));
    m_notice->setVisible(!notice.isEmpty());
    m_page->activate(); // the notice pushes the blocks down before the page is painted
    // Each block gets room by its rows, so that a long list of costs does not scroll beside
    // an empty block of income.
    m_page->setStretch(m_page->indexOf(m_costsBlock),
                       int(std::max<std::size_t>(costs.size(), 2)) + 3);
    m_page->setStretch(m_page->indexOf(m_incomeBlock),
                       int(std::max<std::size_t>(income.size(), 2)) + 3);
    m_costs->setItems(std::move(costs));
    m_income->setItems(std::move(income));
    selectionMoved(nullptr);
}

void FixedCostsPage::selectionMoved(QTableView* view)
{
    // One item at a time: a selection in one block clears the other's.
    if (view && view->selectionModel()->hasSelection())
        for (QTableView* other : {m_costsView, m_incomeView})
            if (other != view)
                other->clearSelection();
    const bool selected = selectedItem() != nullptr;
    m_notFixed->setEnabled(selected);
    m_notFixedAction->setEnabled(selected);
    m_paymentsAction->setEnabled(selected);
}

const recurring::RecurringItem* FixedCostsPage::selectedItem() const
{
    for (QTableView* view : {m_costsView, m_incomeView}) {
        const QModelIndexList rows = view->selectionModel()->selectedRows();
        if (!rows.isEmpty())
            return itemAt(view, rows.first().row());
    }
    return nullptr;
}

void FixedCostsPage::hideSelected()
{
    m_guard([&] {
        const recurring::RecurringItem* item = selectedItem();
        if (!item)
            return;
        QTableView* view = item->income ? m_incomeView : m_costsView;
        const int row = view->selectionModel()->selectedRows().first().row();
        recurring::hideItem(folder(), *item);
        m_hidden = recurring::loadHiddenItems(folder());
        showItems();
        // The next item is selected, so that a run of items is hidden click after click.
        const int rows = view->model()->rowCount();
        if (rows > 0)
            view->selectRow(std::min(row, rows - 1));
    });
}

void FixedCostsPage::showHidden()
{
    m_guard([&] {
        m_hidden = recurring::loadHiddenItems(folder());
        if (m_hidden.isEmpty()) {
            m_dialogs.showMessage(fixedtexts::kHiddenCaption, fixedtexts::kHiddenNone);
            return;
        }
        // The items found that are hidden, then keys that no item found now goes by.
        QStringList labels;
        std::vector<const recurring::RecurringItem*> items;
        QStringList keys = m_hidden;
        for (const recurring::RecurringItem& item : m_all) {
            if (!recurring::isHidden(item, m_hidden))
                continue;
            labels << QStringLiteral("%1 (%2, %3)")
                          .arg(item.relation, recurring::rhythmName(item.rhythm),
                               item.income ? fixedtexts::kIncome : fixedtexts::kCosts);
            items.push_back(&item);
            for (const QString& key : item.identityKeys())
                keys.removeAll(key);
        }
        for (const QString& key : keys)
            labels << fixedtexts::kNotFoundNow.arg(key);
        const std::optional<int> chosen =
            m_dialogs.chooseItem(fixedtexts::kHiddenCaption, fixedtexts::kHiddenChoose, labels);
        if (!chosen || *chosen < 0 || *chosen >= labels.size())
            return;
        const std::size_t at = std::size_t(*chosen);
        if (at < items.size())
            recurring::unhideItem(folder(), *items[at]);
        else
            recurring::unhideItem(folder(), keys[qsizetype(at - items.size())]);
        m_hidden = recurring::loadHiddenItems(folder());
        showItems();
    });
}

const recurring::RecurringItem* FixedCostsPage::itemAt(const QTableView* view, int row) const
{
    const auto* sorted = static_cast<const QSortFilterProxyModel*>(view->model());
    const QModelIndex source = sorted->mapToSource(sorted->index(row, 0));
    if (!source.isValid())
        return nullptr;
    return &static_cast<const FixedCostsModel*>(sorted->sourceModel())->item(source.row());
}

void FixedCostsPage::showPayments(QTableView* view, int row)
{
    m_guard([&] {
        const recurring::RecurringItem* item = itemAt(view, row);
        if (!item)
            return;
        std::vector<int> records;
        for (const recurring::Payment& payment : item->payments)
            records.push_back(payment.record);
        const QString heading = fixedtexts::kPaymentsSummary
                                    .arg(item->relation, recurring::rhythmName(item->rhythm),
                                         recurring::statusName(item->status))
                                    .arg(item->payments.size());
        auto* dialog = new TransactionListDialog(m_data.T1, std::move(records),
                                                 fixedtexts::kPaymentsCaption.arg(item->relation),
                                                 heading, m_dialogs, m_guard, this);
        // The latest payments are the ones asked about; the list scrolls once it is laid out.
        QTimer::singleShot(0, dialog->view(), &QTableView::scrollToBottom);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
}

} // namespace app
