#include "app/kolvaro1.h"

#include "app/dialogs.h"
#include "app/groups_state.h"
#include "app/guard.h"
#include "app/program_font.h"
#include "import/import_run.h"
#include "monthly/month_sums.h"
#include "relations/completion.h"
#include "relations/month_totals.h"
#include "store/dbase/alias_config.h"
#include "store/table_emptying.h"
#include "store/table_names.h"
#include "store/tables_folder.h"
#include "views/count_label.h"
#include "views/month_strip.h"
#include "views/progress_gauge.h"
#include "views/table_model.h"
#include "views/texts.h"

#include <QCloseEvent>
#include <QLabel>
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
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::pageShown);

    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::guarded(const std::function<void()>& body)
{
    app::guarded(m_dialogs, body);
}

views::Guard TForm1::guard()
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
        m_groups->load(m_data.T1.directory(), m_dialogs);
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
    guarded([&] {
        // A table that never opened (failed start) has nothing to write.
        for (dbase::Table* table : {&m_data.T1, &m_data.T2})
            if (table->isOpen())
                table->flush();
    });
    guarded([&] {
        m_data.T1.close();
        m_data.T2.close();
    });
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
    window->show();
    window->raise();
    window->activateWindow();
}

void TForm1::SRColorButton11Click()
{
    showModeless(m_windows.form4);
}

void TForm1::SRColorButton12Click()
{
    showModeless(m_windows.form2);
}

void TForm1::SRColorButton13Click()
{
    showModeless(m_windows.form3);
}

void TForm1::SRColorButton18Click()
{
    showModeless(m_windows.form5);
}

void TForm1::emptyWithConfirmation(dbase::Table& table, QLabel* countLabel)
{
    guarded([&] {
        if (m_dialogs.askYesNo(views::texts::kConfirmCaption, views::texts::kConfirmEmpty) &&
            m_dialogs.askYesNo(views::texts::kWarningCaption, views::texts::kWarnEmpty))
            store::emptyTableExclusively(table);
        views::showRecordCount(countLabel, table);
    });
}

void TForm1::SRColorButton5Click()
{
    emptyWithConfirmation(m_data.T1, Label38);
}

void TForm1::SRColorButton7Click()
{
    emptyWithConfirmation(m_data.T2, Label9);
}

void TForm1::SRColorButton16Click()
{
    guarded([&] {
        const QString path = m_dialogs.getOpenFileName(QString(), views::texts::kTabFileFilter,
                                                       views::texts::kTabFileSuffix);
        if (path.isEmpty())
            return;
        views::ProgressGauge gauge(Gauge1);
        import::ImportRun run(m_data.T1, m_data.T2);
        run.setGauge(&gauge);
        run.setBeforeRead([this] { switchOffImportFilters(); });
        run.setGroups(&m_groups->resolver());
        run.run(path);
    });
}

void TForm1::SRColorButton8Click()
{
    guarded([&] {
        relations::completeRelations(m_data.T1, m_data.T2, &m_groups->resolver());
        views::showRecordCount(Label9, m_data.T2);
    });
}

void TForm1::SRColorButton9Click()
{
    guarded([&] { relations::fillMonthTotals(m_data.T1, m_data.T2, &m_groups->resolver()); });
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
