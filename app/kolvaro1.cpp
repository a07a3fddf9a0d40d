#include "app/kolvaro1.h"

#include "app/categories_page.h"
#include "app/dialogs.h"
#include "app/groups_state.h"
#include "app/guard.h"
#include "app/page_parts.h"
#include "app/program_font.h"
#include "charts/chart_window.h"
#include "import/account_census.h"
#include "import/layouts_switch.h"
#include "monthly/amount_totals.h"
#include "monthly/month_sums.h"
#include "notices/gaps_notice.h"
#include "notices/page_notices.h"
#include "pipeline/file_import.h"
#include "pipeline/passes.h"
#include "store/dbase/alias_config.h"
#include "store/table_emptying.h"
#include "store/table_names.h"
#include "store/tables_folder.h"
#include "viewlogic/row_export.h"
#include "viewlogic/texts.h"
#include "views/count_label.h"
#include "views/db_grid.h"
#include "views/gradient_button.h"
#include "views/month_strip.h"
#include "views/progress_gauge.h"
#include "views/table_model.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace app {

TForm1::TForm1(store::TDataModule1& data, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), m_data(data),
      m_dialogs(dialogs), m_groups(std::make_unique<GroupsState>())
{
    setWindowTitle(views::texts::kProgramTitle);
    setFont(programFont());
    setFixedSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(this);
    layout->addWidget(PageControl1);
    buildImportPage();
    buildTransactionsPage();
    buildRelationsPage();
    buildMonthTotalsPage();
    buildGroupControls();
    buildCategoriesPage(); // after the groups' menu entries, which come first
    buildFixedCostsPage();
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::pageShown);

    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::guarded(const std::function<void()>& body)
{
    app::guarded(m_dialogs, body);
}

guard::Guard TForm1::guard()
{
    return [this](const std::function<void()>& body) { guarded(body); };
}

void TForm1::FormCreate()
{
    guarded([&] {
        CreateAlias();
        // The number format needs no setting: store::numfmt fixes "," and "." for the whole run.
        const QString folder = dbase::AliasConfig().databaseDirectory(store::names::kAlias);
        m_data.setTablesFolder(folder);
        m_data.openTables();
        // The tables opened, but a file lost rows or cannot be written: the user must know.
        for (const dbase::Table* table : {&m_data.T1, &m_data.T2})
            for (const QString& warning : table->warnings())
                m_dialogs.showError(warning);
        PageControl1->setCurrentIndex(0);
        m_tablesFolder = folder;
        Label3->setText(m_tablesFolder);
        const QSignalBlocker quiet(m_currentLayouts); // shows the stored switch, stores nothing
        m_currentLayouts->setChecked(import::currentLayoutsSwitch(m_tablesFolder));
        fillYearList();
        showTotalsNotice();
        showGapsNotice();
        m_groups->load(m_data.T1.directory(), m_dialogs);
        TabSheet5->state().load(m_data.T1.directory(), m_dialogs);
    });
    TabSheet1Show(); // the import page is the first one shown
    // The grids were built over closed tables.
    m_transactionModel->resync();
    m_relationModel->resync();
    m_monthModel->resync();
}

void TForm1::CreateAlias()
{
    dbase::AliasConfig config;
    store::CreateAlias(config);
}

void TForm1::FormClose()
{
    // Also after a failed start: the data module skips a table that never opened.
    guarded([&] { m_data.closeAll(); });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
    emit closed();
}

void TForm1::Image1Click()
{
    m_dialogs.showCalculator();
}

void TForm1::Image2Click()
{
    m_dialogs.showCalculator();
}

void TForm1::showModeless(QWidget* window)
{
    if (!window)
        return;
    if (window->isVisible()) {
        // Open already: back from the task bar where the user left it, a chart drawn anew from
        // the rows and ticks of now.
        if (window->isMinimized())
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        if (auto* chart = qobject_cast<charts::ChartWindow*>(window))
            chart->FormShow();
    } else {
        window->show();
    }
    window->raise();
    window->activateWindow();
}

void TForm1::SRColorButton11Click()
{
    showModeless(m_windows.form4);
}

views::GradientButton* TForm1::chartButton(QWidget* header, const QString& chart,
                                           const QRect& place, const QString& text)
{
    views::GradientButton* button = parts::button(
        header, text.isEmpty() ? views::texts::kChart : text, views::kGreenFace, place);
    connect(button, &QPushButton::clicked, this, [this, chart] { showChart(chart); });
    return button;
}

void TForm1::showChart(const QString& name)
{
    const auto window = m_windows.charts.find(name);
    if (window != m_windows.charts.end())
        showModeless(window->second);
}

void TForm1::emptyWithConfirmation(dbase::Table& table, const std::function<void()>& showCount)
{
    guarded([&] {
        bool emptied = false;
        if (m_dialogs.askYesNo(views::texts::kConfirmCaption, views::texts::kConfirmEmpty) &&
            m_dialogs.askYesNo(views::texts::kWarningCaption, views::texts::kWarnEmpty)) {
            store::emptyTableExclusively(table);
            emptied = true;
        }
        showCount();
        if (emptied) {
            if (&table == &m_data.T1)
                transactionsChanged();
            pipeline::totalsBecameStale(m_data);
            showTotalsNotice();
            showGapsNotice();
        }
    });
}

void TForm1::SRColorButton5Click()
{
    emptyWithConfirmation(m_data.T1, [this] { showTransactionCount(); });
}

void TForm1::SRColorButton7Click()
{
    emptyWithConfirmation(m_data.T2, [this] { views::showRecordCount(Label9, m_data.T2); });
}

void TForm1::showTransactionCount()
{
    views::showRecordCount(Label38, m_data.T1);
    views::showAmountTotals({m_amountIn, m_amountOut, m_amountBalance},
                            monthly::presentedAmountTotals(m_data.T1));
}

void TForm1::addExportAction(views::DbGrid* grid)
{
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* action = new QAction(views::texts::kExport, grid);
    connect(action, &QAction::triggered, this, [this, grid] { exportGrid(grid); });
    grid->addAction(action);
}

void TForm1::exportGrid(views::DbGrid* grid)
{
    guarded([&] {
        const QString path =
            m_dialogs.getSaveFileName(views::texts::kExportCaption, views::texts::kCsvFileFilter);
        if (path.isEmpty())
            return;
        const views::TableModel* model = grid->tableModel();
        views::writeExportFile(
            path, views::csvBytes(model->table(), model->layout(), grid->shownPositions()));
    });
}

void TForm1::SRColorButton16Click()
{
    guarded([&] {
        const QString path = m_dialogs.getOpenFileName(QString(), views::texts::kTabFileFilter,
                                                       views::texts::kTabFileSuffix);
        if (path.isEmpty())
            return;
        // Both tables present all their rows to the import, also when it stops early.
        switchOffImportFilters();
        m_importCounts->clear(); // until this import has counts of its own
        views::ProgressGauge gauge(Gauge1);
        pipeline::FileImport fileImport(m_data, m_groups->resolver());
        fileImport.setGauge(&gauge);
        fileImport.setLayouts(m_currentLayouts->isChecked() ? import::Layouts::Current
                                                            : import::Layouts::Classic);
        const auto askAccount =
            [&](const std::vector<import::AccountLines>& accounts) -> std::optional<QString> {
            if (accounts.size() <= 1)
                return QString();
            QStringList labels;
            for (const import::AccountLines& account : accounts)
                labels << import::accountLabel(account);
            const std::optional<int> chosen = m_dialogs.chooseItem(
                views::texts::kChooseAccountCaption, views::texts::kChooseAccountText, labels);
            if (!chosen)
                return std::nullopt;
            return accounts[std::size_t(*chosen)].account;
        };
        const pipeline::ImportOutcome outcome = fileImport.run(path, askAccount);
        if (!outcome.cancelled)
            m_importCounts->setText(outcome.countsText);
        m_groups->reportGiveUps(m_dialogs);
    });
    // The categories, too, follow the rows stored.
    transactionsChanged();
    // The notices follow the rows stored, also those before a failure.
    guarded([&] { showTotalsNotice(); });
    guarded([&] { showGapsNotice(); });
}

void TForm1::currentLayoutsToggled(bool on)
{
    guarded([&] { import::setCurrentLayoutsSwitch(m_tablesFolder, on); });
}

void TForm1::SRColorButton8Click()
{
    guarded([&] {
        pipeline::completeRelations(m_data, m_groups->resolver());
        m_groups->reportGiveUps(m_dialogs);
        views::showRecordCount(Label9, m_data.T2);
        showTotalsNotice();
        fillYearList();
    });
}

void TForm1::SRColorButton9Click()
{
    guarded([&] {
        const QString warning = pipeline::fillMonths(m_data, m_groups->loaded());
        if (!warning.isEmpty())
            m_dialogs.showError(warning);
        showTotalsNotice();
    });
}

void TForm1::showTotalsNotice()
{
    const QString text =
        m_tablesFolder.isEmpty() ? QString() : notices::totalsNotice(m_tablesFolder);
    for (QLabel* label : {m_relationsNotice, m_monthNotice}) {
        label->setText(text);
        label->setVisible(!text.isEmpty());
    }
}

void TForm1::showGapsNotice()
{
    m_gaps = m_data.T1.isOpen() ? balances::storedGaps(m_data.T1) : std::vector<balances::Gap>{};
    const QString text = notices::gapsNotice(m_gaps.size());
    m_gapsNotice1.show(text);
    m_gapsNotice2.show(text);
}

void TForm1::showGaps()
{
    m_dialogs.showMessage(views::texts::kGapsCaption, notices::gapLines(m_gaps));
}

void TForm1::pageShown(int index)
{
    switch (index) {
    case 0:
        TabSheet1Show();
        break;
    case 1:
        TabSheet3Show();
        break;
    case 2:
        TabSheet2Show();
        break;
    case 3:
        TabSheet4Show();
        break;
    case 4:
        TabSheet5Show();
        break;
    default:
        break;
    }
}

void TForm1::geefsaldi()
{
    // The sums are all computed before the strip changes: an error leaves the old texts.
    m_monthStrip->setTexts(monthly::stripTexts(monthly::geefsaldi(m_data.T2)));
}

} // namespace app
