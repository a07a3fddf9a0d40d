// Categories in the windows: the page "Rubrieken" with its year switch and coverage, the list
// behind a double click, "Rubriek geven…" with undo, "Waarom deze rubriek?" and "Eigen
// rekening".
#include "app/categories_dialog.h"
#include "app/categories_page.h"
#include "app/category_model.h"
#include "app/groups_state.h"
#include "app/kolvaro1.h"
#include "app/transaction_list_dialog.h"
#include "categories/category_rules_file.h"
#include "categories/own_accounts.h"
#include "relations/completion.h"
#include "store/table_names.h"
#include "tests/app/window_fixture.h"
#include "views/db_grid.h"
#include "views/table_model.h"

#include <QComboBox>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

namespace n = store::names;
using namespace Qt::StringLiterals;

namespace {

struct Transaction
{
    QDate datum;
    const char* naam;
    const char* omschrijving;
    const char* reknum;
    double bedrag;
};

// Every transaction its own date, name, description, account and amount.
const Transaction kTransactions[] = {
    {{2024, 1, 5}, "SUPERMARKT 1", "PAS 11", "K1", -40.0},
    {{2024, 2, 6}, "SUPERMARKT 2", "PAS 12", "K2", -20.0},
    {{2024, 1, 7}, "VERHUURDER", "HUUR JANUARI", "KOLV0123456789", -500.0},
    {{2024, 3, 8}, "=ONBEKEND", "IETS", "K4", -40.0},
    {{2024, 3, 9}, "WERKGEVER", "SALARIS", "K5", 1000.0},
    {{2024, 4, 10}, "SPAARREKENING", "NAAR SPAREN", "123456789", -100.0},
    {{2023, 6, 11}, "SUPERMARKT 1", "PAS 13", "K1", -30.0},
    {{2023, 7, 12}, "VERHUURDER", "HUUR JULI", "KOLV0123456789", -480.0},
};

categories::CategoryRule rule(categories::CategoryField field, relations::RuleKind kind,
                              const QString& pattern, const QString& category)
{
    categories::CategoryRule r;
    r.field = field;
    r.kind = kind;
    r.pattern = pattern;
    r.category = category;
    return r;
}

} // namespace

class Form1CategoriesTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pageShowsEachYearsRowsAndCoverage_data();
    void pageShowsEachYearsRowsAndCoverage();
    void doubleClickListsTheCategorysTransactions();
    void giveCategoryMakesOneRulePerSelectedRelationAndUndoRestores();
    void whyAndOwnAccountFromTheGrids();
    void dialogCountsTestsRefusesAndSavesOnlyAfterTheQuestion();

private:
    app::CategoriesPage& page() const { return *m_window.form->TabSheet5; }
    QStringList gridRows() const; // "category|jan|year|share|change|change %" per row

    WindowFixture m_window;
    std::vector<categories::CategoryRule> m_rules;
};

void Form1CategoriesTest::init()
{
    QVERIFY(m_window.makeFolder());
    m_window.start();
    dbase::Table& t = m_window.data->T1;
    for (const Transaction& r : kTransactions) {
        t.append();
        t.fieldByName(n::kDatum).setAsDate(r.datum);
        t.fieldByName(n::kSoort).setAsInteger(6);
        t.fieldByName(n::kNaam).setAsString(QString::fromLatin1(r.naam));
        t.fieldByName(n::kOmschrijving).setAsString(QString::fromLatin1(r.omschrijving));
        t.fieldByName(n::kReknum).setAsString(QString::fromLatin1(r.reknum));
        t.fieldByName(n::kBedrag).setAsFloat(r.bedrag);
        t.post();
    }
    relations::completeRelations(m_window.data->T1, m_window.data->T2);
    using categories::CategoryField;
    using relations::RuleKind;
    m_rules = {rule(CategoryField::Naam, RuleKind::BeginsWith, u"supermarkt"_s, u"Boodschappen"_s),
               rule(CategoryField::Omschrijving, RuleKind::Contains, u"huur"_s, u"Wonen"_s)};
    const QString folder = m_window.data->T1.directory();
    categories::saveCategoryRules(folder, m_rules);
    categories::saveOwnAccounts(folder, {{u"123456789"_s}, true});
    page().state().load(folder, m_window.dialogs);
    m_window.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.form.get()));
    m_window.form->PageControl1->setCurrentWidget(&page());
}

void Form1CategoriesTest::cleanup()
{
    QVERIFY2(m_window.dialogs.errors.isEmpty(), qPrintable(m_window.dialogs.errors.join(u'\n')));
    m_window.form.reset();
    m_window.data.reset();
}

QStringList Form1CategoriesTest::gridRows() const
{
    using M = app::CategoryModel;
    const M& model = *page().model();
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (const int c : {int(M::kCategory), int(M::kFirstMonth), int(M::kYear), int(M::kShare),
                            int(M::kChange), int(M::kChangePercent)})
            cells << model.text(r, c);
        rows << cells.join(u'|');
    }
    return rows;
}

void Form1CategoriesTest::pageShowsEachYearsRowsAndCoverage_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("leaveOut");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("coverage");
    // 2024: expenses 600 without the transfer to savings, of which 40 in "Overig"; 2023 had
    // none in "Overig", and 2022 has no transactions at all.
    QTest::newRow("2024") << 2024 << true
                          << QStringList{u"Boodschappen|-40,00|-60,00|10,0 %|-30,00|-100,0 %"_s,
                                         u"Wonen|-500,00|-500,00|83,3 %|-20,00|-4,2 %"_s,
                                         u"Overig|0,00|960,00|6,7 %|960,00|"_s,
                                         u"Eigen rekening|0,00|-100,00||-100,00|"_s}
                          << u"Met rubriek: 93 % van de uitgaven — Overig € 40,00 (7 %)"_s;
    QTest::newRow("2024, transfers counted")
        << 2024 << false
        << QStringList{u"Boodschappen|-40,00|-60,00|8,6 %|-30,00|-100,0 %"_s,
                       u"Wonen|-500,00|-500,00|71,4 %|-20,00|-4,2 %"_s,
                       u"Overig|0,00|960,00|5,7 %|960,00|"_s,
                       u"Eigen rekening|0,00|-100,00|14,3 %|-100,00|"_s}
        << u"Met rubriek: 94 % van de uitgaven — Overig € 40,00 (6 %)"_s;
    QTest::newRow("2023") << 2023 << true
                          << QStringList{u"Boodschappen|0,00|-30,00|5,9 %||"_s,
                                         u"Wonen|0,00|-480,00|94,1 %||"_s}
                          << u"Met rubriek: 100 % van de uitgaven — Overig € 0,00 (0 %)"_s;
}

void Form1CategoriesTest::pageShowsEachYearsRowsAndCoverage()
{
    QFETCH(int, year);
    QFETCH(bool, leaveOut);
    QFETCH(QStringList, rows);
    QFETCH(QString, coverage);
    // Newest year first, and chosen at the start.
    QCOMPARE(page().yearBox()->count(), 2);
    QCOMPARE(page().yearBox()->itemText(0), u"2024"_s);
    QCOMPARE(page().chosenYear(), 2024);
    if (!leaveOut)
        page().state().saveOwnAccounts({{u"123456789"_s}, false});
    page().chooseYear(year);
    page().refresh();
    QCOMPARE(gridRows(), rows);
    QCOMPARE(page().coverage()->text(), coverage);
    QCOMPARE(m_window.form->chartYears(u"rubrieken"_s), QStringList{QString::number(year)});
}

void Form1CategoriesTest::doubleClickListsTheCategorysTransactions()
{
    // The transactions page filtered to one name: the list reads past the filter, and leaves it.
    dbase::Table& mutaties = m_window.data->T1;
    const int naam = mutaties.fieldIndex(n::kNaam);
    mutaties.setFilterPredicate(
        [naam](const dbase::RowView& row) { return row.asString(naam) == u"WERKGEVER"; });
    mutaties.setFiltered(true);
    const struct
    {
        int row;
        int count;
        QString sums;
        QString firstName;
    } cases[] = {
        {0, 2, u"2 boekingen   Bij 0,00   Af -60,00   Saldo -60,00"_s, u"SUPERMARKT 1"_s},
        {2, 2, u"2 boekingen   Bij 1.000,00   Af -40,00   Saldo 960,00"_s, u"=ONBEKEND"_s},
    };
    for (const auto& c : cases) {
        page().showTransactions(c.row);
        auto* list = page().findChild<app::TransactionListDialog*>();
        QVERIFY(list);
        QCOMPARE(list->view()->model()->rowCount(), c.count);
        QCOMPARE(list->view()->model()->index(0, 1).data().toString(), c.firstName);
        QCOMPARE(list->sums()->text(), c.sums);
        if (c.row == 2) {
            m_window.dialogs.saveFileName = m_window.dir->filePath(u"overig.csv"_s);
            list->exportRows();
            QFile file(m_window.dialogs.saveFileName);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString csv = QString::fromUtf8(file.readAll());
            // A name that would be a formula is written as text.
            QVERIFY2(csv.contains(u"08-03-2024;'=ONBEKEND;IETS;-40,00"_s), qPrintable(csv));
            QVERIFY(csv.contains(u"09-03-2024;WERKGEVER;SALARIS;1000,00"_s));
        }
        delete list;
    }
    QVERIFY(mutaties.filtered());
    QCOMPARE(mutaties.recordCount(), 1);
}

void Form1CategoriesTest::giveCategoryMakesOneRulePerSelectedRelationAndUndoRestores()
{
    app::TForm1& form = *m_window.form;
    form.PageControl1->setCurrentWidget(form.TabSheet2);
    // The rows the user selected, whatever row is current.
    QItemSelectionModel* selection = form.RxDBGrid2->selectionModel();
    selection->clearSelection();
    QStringList chosen;
    const int naam = m_window.data->T2.fieldIndex(n::kNaam);
    for (const QString& wanted : {u"=ONBEKEND"_s, u"WERKGEVER"_s})
        for (int row = 0; row < form.RxDBGrid2->model()->rowCount(); ++row) {
            const int position = form.RxDBGrid2->tableModel()->tablePosition(row);
            if (m_window.data->T2.rowAt(position).asString(naam) != wanted)
                continue;
            selection->select(form.RxDBGrid2->model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
            chosen << wanted;
        }
    QCOMPARE(chosen.size(), 2); // each relation has a row in 2024 only
    m_window.dialogs.typedText = u"Diversen"_s;
    m_window.dialogs.answers = {false};
    form.giveCategory(); // No to the question: nothing saved
    QCOMPARE(page().state().rules(), m_rules);
    QCOMPARE(m_window.dialogs.textSuggestions, (QStringList{u"Boodschappen"_s, u"Wonen"_s}));
    m_window.dialogs.answers = {true};
    form.giveCategory();
    std::vector<categories::CategoryRule> expected = m_rules;
    for (const QString& name : chosen)
        expected.push_back(rule(categories::CategoryField::Groep, relations::RuleKind::Equal, name,
                                u"Diversen"_s));
    QCOMPARE(page().state().rules(), expected);
    form.PageControl1->setCurrentWidget(&page());
    QVERIFY(gridRows().filter(u"Diversen|"_s).size() == 1);

    m_window.dialogs.answers = {true};
    QVERIFY(page().state().undo(m_window.data->T1, form.groups().resolver(), m_window.dialogs));
    QCOMPARE(page().state().rules(), m_rules);
    QCOMPARE(categories::loadCategoryRules(page().state().folder(), false).rules, m_rules);
}

void Form1CategoriesTest::whyAndOwnAccountFromTheGrids()
{
    app::TForm1& form = *m_window.form;
    dbase::Table& mutaties = m_window.data->T1;
    const int naam = mutaties.fieldIndex(n::kNaam);
    const struct
    {
        QString naam;
        QString text;
    } cases[] = {
        {u"SUPERMARKT 2"_s, u"Regel 1: Naam begint met \"supermarkt\" → Boodschappen"_s},
        {u"WERKGEVER"_s, u"geen regel: Overig"_s},
        {u"SPAARREKENING"_s, u"123456789"_s},
    };
    for (const auto& c : cases) {
        for (mutaties.first(); mutaties.currentRow().asString(naam) != c.naam; mutaties.next())
            QVERIFY(!mutaties.eof());
        form.whyThisCategory();
        auto* box = form.findChild<QMessageBox*>();
        QVERIFY(box);
        QVERIFY2(box->text().contains(c.text), qPrintable(box->text()));
        delete box;
    }

    // "Eigen rekening" on a relation whose transactions carry no account number: refused.
    dbase::Table& bedrijven = m_window.data->T2;
    for (bedrijven.first(); bedrijven.fieldByName(n::kNaam).asString() != u"WERKGEVER";
         bedrijven.next())
        QVERIFY(!bedrijven.eof());
    form.markOwnAccount();
    QCOMPARE(m_window.dialogs.errors.size(), 1);
    QVERIFY2(m_window.dialogs.errors.first().contains(u"K5"_s),
             qPrintable(m_window.dialogs.errors.first()));
    m_window.dialogs.errors.clear();
    QCOMPARE(page().state().ownAccounts().accounts, QStringList{u"123456789"_s});

    // A relation paid through a domestic IBAN: the account is that IBAN, and its transactions
    // leave their category for "Eigen rekening".
    for (bedrijven.first(); bedrijven.fieldByName(n::kNaam).asString() != u"VERHUURDER";
         bedrijven.next())
        QVERIFY(!bedrijven.eof());
    form.markOwnAccount();
    QCOMPARE(page().state().ownAccounts().accounts,
             (QStringList{u"123456789"_s, u"NL07KOLV0123456789"_s}));
    QCOMPARE(m_window.dialogs.messages.last(),
             u"Eigen rekening|NL07KOLV0123456789 is nu een eigen rekening."_s);
    form.PageControl1->setCurrentWidget(&page());
    QCOMPARE(gridRows().filter(u"Wonen|"_s), QStringList());
    QCOMPARE(gridRows().filter(u"Eigen rekening|"_s),
             QStringList{u"Eigen rekening|-500,00|-600,00||-120,00|-25,0 %"_s});
}

void Form1CategoriesTest::dialogCountsTestsRefusesAndSavesOnlyAfterTheQuestion()
{
    // A rule on Naam that the first rule's catches shadow, and one on the saving account, which
    // the own account takes.
    std::vector<categories::CategoryRule> queued = {
        rule(categories::CategoryField::Reknum, relations::RuleKind::Equal, u"123456789"_s,
             u"Sparen"_s),
        rule(categories::CategoryField::Naam, relations::RuleKind::Contains, u"markt"_s,
             u"Markt"_s)};
    app::CategoriesDialog dialog(
        m_window.data->T1, m_window.form->groups().resolver(), m_window.dialogs, page().state(),
        [](const std::function<void()>& body) { body(); },
        [&](const categories::CategoryRule&, QWidget*) {
            const categories::CategoryRule next = queued.back();
            queued.pop_back();
            return std::optional(next);
        },
        m_window.form.get());
    dialog.table()->selectRow(1);
    dialog.addRule();
    dialog.addRule();
    using D = app::CategoriesDialog;
    QStringList cells;
    for (int r = 0; r < dialog.table()->rowCount(); ++r)
        cells << u"%1|%2|%3|%4"_s.arg(dialog.table()->item(r, D::kCategory)->text(),
                                      dialog.table()->item(r, D::kTransactions)->text(),
                                      dialog.table()->item(r, D::kAmount)->text(),
                                      dialog.table()->item(r, D::kTakenEarlier)->text());
    QCOMPARE(cells, (QStringList{u"Boodschappen|3|-90,00|"_s, u"Wonen|2|-980,00|"_s,
                                 u"Markt|0|0,00|3"_s, u"Sparen|0|0,00|1"_s}));
    dialog.testBox()->setText(u"123456789"_s);
    QCOMPARE(dialog.testResult()->text(), u"123456789 → Overig, geen regel"_s); // field Groep

    // A refused category keeps the editor open with the reason.
    categories::CategoryRule blank;
    app::CategoryRuleEditor editor(blank, {});
    editor.patternBox()->setText(u"markt"_s);
    for (const QString& name : {u"overig"_s, QString(31, u'R')}) {
        editor.targetBox()->setText(name);
        editor.accept();
        QVERIFY(!editor.messageLabel()->text().isEmpty());
        QCOMPARE(editor.result(), int(QDialog::Rejected));
    }

    // Saved only after Yes.
    dialog.saveAndApply();
    QCOMPARE(page().state().rules(), m_rules);
    m_window.dialogs.answers = {true};
    dialog.saveAndApply();
    QCOMPARE(page().state().rules().size(), std::size_t(4));
    QCOMPARE(m_window.dialogs.questions.last().section(u'|', 1),
             u"0 boekingen krijgen een andere rubriek. De regels opslaan?"_s);
}

QTEST_MAIN(Form1CategoriesTest)
#include "form1_categories_test.moc"
