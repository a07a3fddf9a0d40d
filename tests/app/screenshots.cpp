// Starts the main window over a filled tables folder and saves a PNG of each page, the
// calculator, the rules dialogs, a category's and a fixed cost's transactions, the charts and the
// help window. Usage: kolvaro-screenshots OUTDIR TABLESDIR (the engine configuration comes from
// KOLVARO_ENGINE_CONFIG; the alias is pointed at TABLESDIR when missing).
#include "app/categories_dialog.h"
#include "app/categories_page.h"
#include "app/dialogs.h"
#include "app/fixed_costs_model.h"
#include "app/fixed_costs_page.h"
#include "app/groups_dialog.h"
#include "app/groups_state.h"
#include "app/guard.h"
#include "app/kolvaro1.h"
#include "app/own_accounts_dialog.h"
#include "app/startup.h"
#include "app/transaction_list_dialog.h"
#include "charts/chart_forms.h"
#include "help/uitleg.h"
#include "relations/group_statistics.h"
#include "store/dbase/alias_config.h"
#include "store/dbase/update_blocker.h"
#include "store/table_names.h"
#include "tests/app/table_filler.h"
#include "views/calculator_dialog.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <cstdio>
#include <set>

namespace {

// Imported relations carry no select flag: mark every third row, and tick the first three
// years the table holds, so that the year-comparison chart has something to compare.
void prepareYearComparison(app::TForm1& form, dbase::Table& bedrijven)
{
    const int select = bedrijven.fieldIndex(store::names::kSelect);
    const int jaar = bedrijven.fieldIndex(store::names::kJaar);
    std::set<QString> years;
    {
        const dbase::UpdateBlocker blocker(bedrijven);
        int row = 0;
        for (bedrijven.first(); !bedrijven.eof(); bedrijven.next(), ++row) {
            years.insert(bedrijven.currentRow().asString(jaar));
            bedrijven.edit();
            bedrijven.field(select).setAsBoolean(row % 3 == 0);
        }
        bedrijven.first();
    }
    for (int i = 0; i < form.CheckListBox1->count(); ++i) {
        QListWidgetItem* item = form.CheckListBox1->item(i);
        if (years.count(item->text()))
            item->setCheckState(Qt::Checked);
    }
}

bool saveChart(QWidget& window, const QString& file)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QTest::qWait(100);
    const bool saved = window.grab().save(file);
    window.hide();
    if (saved)
        std::printf("%s\n", qPrintable(file));
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: kolvaro-screenshots OUTDIR TABLESDIR\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString tables = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);

    dbase::AliasConfig config;
    config.setConfigMode(dbase::AliasConfig::Mode::Persistent);
    if (!config.aliasExists(store::names::kAlias)) {
        config.addStandardAlias(store::names::kAlias, tables, QStringLiteral("DBASE"));
        config.saveConfig();
    }
    if (!QFile::exists(QDir(tables).filePath(QStringLiteral("mutaties.DBF"))))
        filler::fillFolder(tables, 400, 150);

    app::installDutchTranslations(application);
    app::applyProgramFont(application);
    store::TDataModule1 data;
    app::MessageBoxDialogs dialogs;
    app::TForm1 form(data, dialogs);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    prepareYearComparison(form, data.T2); // the relations page shows its marks too
    for (int page = 0; page < form.PageControl1->count(); ++page) {
        form.PageControl1->setCurrentIndex(page);
        QTest::qWait(100);
        const QString file = QDir(out).filePath(QStringLiteral("page-%1.png").arg(page));
        if (!form.grab().save(file))
            return 1;
        std::printf("%s\n", qPrintable(file));
    }
    // The transactions of the first fixed cost, as a double click shows them.
    if (auto* fixedCosts = form.findChild<app::FixedCostsPage*>();
        fixedCosts && fixedCosts->costsModel()->rowCount() > 0) {
        form.PageControl1->setCurrentWidget(fixedCosts);
        fixedCosts->showPayments(fixedCosts->costsView(), 0);
        if (auto* payments = fixedCosts->findChild<app::TransactionListDialog*>()) {
            QTest::qWait(100);
            const QString file = QDir(out).filePath(QStringLiteral("fixed-costs-payments.png"));
            if (!payments->grab().save(file))
                return 1;
            std::printf("%s\n", qPrintable(file));
            payments->close();
        }
    }
    views::CalculatorDialog calculator(&form);
    for (QChar key : QStringLiteral("1234,5*2"))
        calculator.press(key);
    calculator.show();
    QTest::qWait(100);
    calculator.grab().save(QDir(out).filePath(QStringLiteral("calculator.png")));
    calculator.hide();

    // The rules dialog with two rules over the sample names (the second one shadowed by the
    // first), none of them saved.
    {
        data.T1.first();
        const QString naam = data.T1.fieldByName(store::names::kNaam).asString();
        relations::GroupRule broad;
        broad.kind = relations::RuleKind::BeginsWith;
        broad.pattern = relations::withoutBranchNumber(naam).left(6);
        broad.group = relations::withoutBranchNumber(naam);
        relations::GroupRule exact = broad;
        exact.kind = relations::RuleKind::Equal;
        exact.pattern = naam;
        exact.group = naam + QStringLiteral(" (apart)");
        std::vector<relations::GroupRule> queued = {exact, broad};
        app::GroupsState state;
        state.load(form.tablesFolder(), dialogs);
        app::GroupsDialog groups(
            data, dialogs, state, [&](const std::function<void()>& body) { body(); },
            [&](const relations::GroupRule&, QWidget*) -> std::optional<relations::GroupRule> {
                relations::GroupRule next = queued.back();
                queued.pop_back();
                return next;
            },
            &form);
        groups.addRule();
        groups.addRule();
        groups.testBox()->setText(naam);
        groups.show();
        QTest::qWait(100);
        const QString file = QDir(out).filePath(QStringLiteral("groups.png"));
        if (!groups.grab().save(file))
            return 1;
        std::printf("%s\n", qPrintable(file));
    }

    // The categories dialog over the rules of the tables folder, with a test text.
    {
        data.T1.first();
        app::CategoriesDialog rubrieken(
            data.T1, form.groups().resolver(), dialogs, form.TabSheet5->state(),
            [&](const std::function<void()>& body) { body(); },
            [](const categories::CategoryRule&, QWidget*) {
                return std::optional<categories::CategoryRule>();
            },
            &form);
        rubrieken.testBox()->setText(data.T1.fieldByName(store::names::kNaam).asString());
        rubrieken.show();
        QTest::qWait(100);
        const QString file = QDir(out).filePath(QStringLiteral("categories.png"));
        if (!rubrieken.grab().save(file))
            return 1;
        std::printf("%s\n", qPrintable(file));
    }
    // The own accounts, and the transactions of the page's first category.
    {
        app::OwnAccountsDialog own(
            form.TabSheet5->state(), [](const std::function<void()>& body) { body(); }, &form);
        own.show();
        QTest::qWait(100);
        const QString file = QDir(out).filePath(QStringLiteral("own-accounts.png"));
        if (!own.grab().save(file))
            return 1;
        std::printf("%s\n", qPrintable(file));
        form.PageControl1->setCurrentWidget(form.TabSheet5);
        form.TabSheet5->showTransactions(0); // nothing without transactions
        if (auto* list = form.TabSheet5->findChild<app::TransactionListDialog*>()) {
            QTest::qWait(100);
            const QString listFile = QDir(out).filePath(QStringLiteral("category-list.png"));
            if (!list->grab().save(listFile))
                return 1;
            std::printf("%s\n", qPrintable(listFile));
            delete list;
        }
    }

    const charts::ChartHooks hooks = app::chartHooks(dialogs);
    charts::TForm2 form2(data.T1, hooks, &form);
    charts::TForm3 form3(
        data.T2, [&form] { return form.tickedYears(); }, hooks, &form);
    charts::TForm5 form5(data.T2, hooks, &form);
    charts::ChartWindow categories(
        charts::kCategoriesChart, data.T1,
        [&form] { return form.chartYears(charts::kCategoriesChart); }, hooks, &form);
    const QDir dir(out);
    bool saved = saveChart(form2, dir.filePath(QStringLiteral("chart-transactions.png"))) &&
                 saveChart(form3, dir.filePath(QStringLiteral("chart-relations.png"))) &&
                 saveChart(form5, dir.filePath(QStringLiteral("chart-months.png"))) &&
                 saveChart(categories, dir.filePath(QStringLiteral("chart-categories.png")));
    // A few weeks of transactions, where every bar is drawn on its own.
    const int datum = data.T1.fieldIndex(store::names::kDatum);
    data.T1.first();
    const QDate until = data.T1.currentRow().asDate(datum).addDays(40);
    data.T1.setFilterPredicate(
        [datum, until](const dbase::RowView& row) { return row.asDate(datum) < until; });
    data.T1.setFiltered(true);
    saved = saved && saveChart(form2, dir.filePath(QStringLiteral("chart-transactions-weeks.png")));

    // The help window with the tables folder's text, in read mode and in editing mode.
    help::TForm4 helpWindow(
        form.tablesFolder(), &form, dialogs,
        [&](const std::function<void()>& body) { app::guarded(dialogs, body); });
    helpWindow.show();
    if (!QTest::qWaitForWindowExposed(&helpWindow))
        return 1;
    for (const char* name : {"help-read.png", "help-edit.png"}) {
        QTest::qWait(100);
        const QString file = dir.filePath(QString::fromLatin1(name));
        saved = saved && helpWindow.grab().save(file);
        std::printf("%s\n", qPrintable(file));
        helpWindow.FormDblClick();
    }
    return saved ? 0 : 1;
}
