// The page "Vaste lasten": the items found with their columns and totals, "Niet vast" and
// bringing an item back, the transactions of an item, and detection only after a change.
#include "app/fixed_costs_model.h"
#include "app/fixed_costs_page.h"
#include "app/kolvaro1.h"
#include "app/transaction_list_dialog.h"
#include "recurring/hidden_items.h"
#include "store/date_format.h"
#include "store/table_names.h"
#include "tests/app/fake_dialogs.h"
#include "tests/app/window_fixture.h"

#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace n = store::names;
using namespace Qt::StringLiterals;

namespace {

struct Series
{
    const char* naam;
    const char* reknum;
    QDate first;
    int months;     // between payments
    int count;      // payments
    double amount;  // of each payment ...
    int changeFrom; // ... until this one (0-based) on, which pays `changed`
    double changed;
};

// Costs at a month, a quarter, with a rise, one that stopped, and a salary; each with amounts,
// days and accounts of its own.
const Series kSeries[] = {
    {"WONINGSTICHTING ZUID", "NL01HUUR", {2024, 1, 1}, 1, 12, -812.34, 99, 0},
    {"STREAMDIENST", "NL02STRM", {2024, 1, 14}, 1, 12, -12.99, 6, -14.99},
    {"VERZEKERAAR", "NL03VERZ", {2024, 1, 10}, 3, 4, -93.51, 99, 0},
    {"SPORTSCHOOL", "NL04SPRT", {2024, 1, 5}, 1, 5, -27.50, 99, 0},
    {"WERKGEVER", "NL05LOON", {2024, 1, 25}, 1, 12, 2345.67, 99, 0},
};

QString date(int y, int m, int d)
{
    return store::datefmt::formatShortDate(QDate(y, m, d));
}

} // namespace

class FixedCostsPageTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listsItemsWithTheirColumns_data();
    void listsItemsWithTheirColumns();
    void hidingSurvivesARestartAndComesBack();
    void paymentsOfAnItemIgnoreTheFilters();
    void detectsOnlyAfterAChange_data();
    void detectsOnlyAfterAChange();
    void peildatumUntilTheTransactionsChange();
    void aSortedBlockActsOnTheRowsAsShown();

private:
    void addTransaction(const QDate& datum, const QString& naam, const QString& reknum,
                        double bedrag, const QString& omschrijving);
    void showPage();
    app::FixedCostsPage* page() const { return m_window.form->findChild<app::FixedCostsPage*>(); }
    QStringList relations(const app::FixedCostsModel* model) const;
    int rowOf(const app::FixedCostsModel* model, const QString& relation) const;

    WindowFixture m_window;
};

void FixedCostsPageTest::addTransaction(const QDate& datum, const QString& naam,
                                        const QString& reknum, double bedrag,
                                        const QString& omschrijving)
{
    dbase::Table& t = m_window.data->T1;
    t.append();
    t.fieldByName(n::kDatum).setAsDate(datum);
    t.fieldByName(n::kSoort).setAsInteger(6);
    t.fieldByName(n::kNaam).setAsString(naam);
    t.fieldByName(n::kReknum).setAsString(reknum);
    t.fieldByName(n::kBedrag).setAsFloat(bedrag);
    t.fieldByName(n::kOmschrijving).setAsString(omschrijving);
    t.post();
}

void FixedCostsPageTest::init()
{
    QVERIFY(m_window.makeFolder());
    m_window.start();
    for (const Series& s : kSeries)
        for (int i = 0; i < s.count; ++i)
            addTransaction(s.first.addMonths(i * s.months), QString::fromLatin1(s.naam),
                           QString::fromLatin1(s.reknum), i >= s.changeFrom ? s.changed : s.amount,
                           u"%1 termijn %2"_s.arg(QString::fromLatin1(s.reknum)).arg(i + 1));
    m_window.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.form.get()));
}

void FixedCostsPageTest::cleanup()
{
    QVERIFY2(m_window.dialogs.errors.isEmpty(), qPrintable(m_window.dialogs.errors.join(u'\n')));
    m_window.form.reset();
    m_window.data.reset();
}

void FixedCostsPageTest::showPage()
{
    m_window.form->PageControl1->setCurrentWidget(page());
}

QStringList FixedCostsPageTest::relations(const app::FixedCostsModel* model) const
{
    QStringList names;
    for (const auto& item : model->items())
        names << item.relation;
    return names;
}

int FixedCostsPageTest::rowOf(const app::FixedCostsModel* model, const QString& relation) const
{
    return int(relations(model).indexOf(relation));
}

void FixedCostsPageTest::listsItemsWithTheirColumns_data()
{
    QTest::addColumn<bool>("income");
    QTest::addColumn<QString>("relation");
    QTest::addColumn<QStringList>("cells"); // rhythm, amount, last, next, status, rise

    QTest::newRow("monthly") << false << u"WONINGSTICHTING ZUID"_s
                             << QStringList{u"maand"_s,       u"€ 812,34"_s, date(2024, 12, 1),
                                            date(2025, 1, 1), u"loopt"_s,    QString()};
    QTest::newRow("price rise") << false << u"STREAMDIENST"_s
                                << QStringList{u"maand"_s,         u"€ 14,99"_s,
                                               date(2024, 12, 14), date(2025, 1, 14),
                                               u"loopt"_s,         u"€ 12,99 → € 14,99 (+15 %)"_s};
    QTest::newRow("quarterly") << false << u"VERZEKERAAR"_s
                               << QStringList{u"kwartaal"_s,     u"€ 93,51"_s, date(2024, 10, 10),
                                              date(2025, 1, 10), u"loopt"_s,   QString()};
    QTest::newRow("stopped") << false << u"SPORTSCHOOL"_s
                             << QStringList{u"maand"_s,       u"€ 27,50"_s, date(2024, 5, 5),
                                            date(2024, 6, 5), u"gestopt"_s, QString()};
    QTest::newRow("income") << true << u"WERKGEVER"_s
                            << QStringList{u"maand"_s,        u"€ 2.345,67"_s, date(2024, 12, 25),
                                           date(2025, 1, 25), u"loopt"_s,      QString()};
}

void FixedCostsPageTest::listsItemsWithTheirColumns()
{
    QFETCH(bool, income);
    QFETCH(QString, relation);
    QFETCH(QStringList, cells);
    showPage();
    const app::FixedCostsModel* model = income ? page()->incomeModel() : page()->costsModel();
    const int row = rowOf(model, relation);
    QVERIFY2(row >= 0, qPrintable(relations(model).join(u", ")));
    QStringList shown;
    for (int c = app::FixedCostsModel::kRhythm; c < app::FixedCostsModel::kColumnCount; ++c)
        shown << model->index(row, c).data().toString();
    QCOMPARE(shown, cells);
    QCOMPARE(model->index(row, app::FixedCostsModel::kRelation).data().toString(), relation);
    // Stopped items are greyed, the others keep the view's colour.
    QCOMPARE(model->index(row, 0).data(Qt::ForegroundRole).isValid(), cells[4] == u"gestopt"_s);
}

void FixedCostsPageTest::hidingSurvivesARestartAndComesBack()
{
    showPage();
    const QStringList allCosts{u"SPORTSCHOOL"_s, u"STREAMDIENST"_s, u"VERZEKERAAR"_s,
                               u"WONINGSTICHTING ZUID"_s};
    QCOMPARE(relations(page()->costsModel()), allCosts);
    QCOMPARE(relations(page()->incomeModel()), QStringList{u"WERKGEVER"_s});
    // The stopped item counts for nothing, the quarterly one for a third.
    QCOMPARE(page()->costsTotal()->text(), u"Vaste lasten per maand: € 858,50"_s);
    QCOMPARE(page()->incomeTotal()->text(), u"Vaste inkomsten per maand: € 2.345,67"_s);

    page()->costsView()->selectRow(rowOf(page()->costsModel(), u"VERZEKERAAR"_s));
    page()->hideSelected();
    QCOMPARE(m_window.dialogs.questions, QStringList()); // nothing asked: it can be undone
    const QStringList withoutIt{u"SPORTSCHOOL"_s, u"STREAMDIENST"_s, u"WONINGSTICHTING ZUID"_s};
    QCOMPARE(relations(page()->costsModel()), withoutIt);
    QCOMPARE(page()->costsTotal()->text(), u"Vaste lasten per maand: € 827,33"_s);

    // A new start detects anew and still leaves it out.
    m_window.form.reset();
    m_window.data.reset();
    m_window.start();
    m_window.form->show();
    showPage();
    QCOMPARE(relations(page()->costsModel()), withoutIt);
    QCOMPARE(page()->costsTotal()->text(), u"Vaste lasten per maand: € 827,33"_s);

    // An item hidden under a name no longer found is listed after the items found.
    const QString gone = u"groep:OUDE NAAM|jaar|af"_s;
    recurring::hideItem(m_window.data->T1.directory(), gone);
    m_window.dialogs.choice = 1;
    page()->showHidden();
    QCOMPARE(m_window.dialogs.choiceItems,
             (QStringList{u"VERZEKERAAR (kwartaal, lasten)"_s, gone + u" (nu niet gevonden)"_s}));
    QCOMPARE(recurring::loadHiddenItems(m_window.data->T1.directory()).contains(gone), false);
    QCOMPARE(relations(page()->costsModel()), withoutIt);
    m_window.dialogs.choice = 0;
    page()->showHidden();
    QCOMPARE(m_window.dialogs.choiceItems, QStringList{u"VERZEKERAAR (kwartaal, lasten)"_s});
    QCOMPARE(relations(page()->costsModel()), allCosts);
    QCOMPARE(page()->costsTotal()->text(), u"Vaste lasten per maand: € 858,50"_s);
    page()->showHidden();
    QCOMPARE(m_window.dialogs.messages,
             QStringList{u"Verborgen vaste posten|Er zijn geen verborgen posten."_s});
}

void FixedCostsPageTest::paymentsOfAnItemIgnoreTheFilters()
{
    showPage();
    // The transactions page shows none of them.
    dbase::Table& mutaties = m_window.data->T1;
    mutaties.setFilterPredicate([](const dbase::RowView&) { return false; });
    mutaties.setFiltered(true);
    const int row = rowOf(page()->costsModel(), u"STREAMDIENST"_s);
    QVERIFY(row >= 0);
    // As a mouse sends it: press, release, double click, release.
    QTableView* view = page()->costsView();
    const QPoint cell = view->visualRect(view->model()->index(row, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, cell);
    auto* dialog = page()->findChild<app::TransactionListDialog*>();
    QVERIFY(dialog);
    const QAbstractItemModel* table = dialog->view()->model();
    QCOMPARE(table->rowCount(), 12);
    const auto line = [&](int r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->index(r, c).data().toString();
        return cells;
    };
    QCOMPARE(line(0), (QStringList{date(2024, 1, 14), u"STREAMDIENST"_s, u"NL02STRM termijn 1"_s,
                                   u"-12,99"_s}));
    QCOMPARE(line(11), (QStringList{date(2024, 12, 14), u"STREAMDIENST"_s, u"NL02STRM termijn 12"_s,
                                    u"-14,99"_s}));
    QCOMPARE(mutaties.recordCount(), 0);

    m_window.dialogs.saveFileName = m_window.dir->filePath(u"abonnement.csv"_s);
    dialog->exportRows();
    QFile file(m_window.dialogs.saveFileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u"\r\n"_s);
    QCOMPARE(lines.size(), 14); // titles, 12 rows, the empty rest after the last CR LF
    QCOMPARE(lines[7], u"14-07-2024;STREAMDIENST;NL02STRM termijn 7;-14,99"_s);
    dialog->close();
}

void FixedCostsPageTest::detectsOnlyAfterAChange_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("detects");
    QTest::newRow("nothing") << 0 << false;
    QTest::newRow("transactions filtered") << 1 << false;
    QTest::newRow("a transaction added") << 2 << true;
    QTest::newRow("rules applied") << 3 << true;
}

void FixedCostsPageTest::detectsOnlyAfterAChange()
{
    QFETCH(int, change);
    QFETCH(bool, detects);
    showPage();
    QCOMPARE(page()->detections(), 1);
    m_window.form->PageControl1->setCurrentWidget(m_window.form->TabSheet3);
    dbase::Table& mutaties = m_window.data->T1;
    if (change == 1) {
        mutaties.setFilterPredicate([](const dbase::RowView&) { return false; });
        mutaties.setFiltered(true);
    } else if (change == 2) {
        addTransaction({2024, 12, 27}, u"BAKKER"_s, u"NL06BAKK"_s, -3.15, u"brood"_s);
    } else if (change == 3) {
        page()->markStale();
    }
    showPage();
    QCOMPARE(page()->detections(), detects ? 2 : 1);
}

void FixedCostsPageTest::peildatumUntilTheTransactionsChange()
{
    showPage();
    QCOMPARE(page()->asOfBox()->date(), QDate(2024, 12, 25)); // the last transaction
    const auto streaming = [&](int column) {
        const app::FixedCostsModel* model = page()->costsModel();
        return model->index(rowOf(model, u"STREAMDIENST"_s), column).data().toString();
    };
    page()->setAsOf({2024, 6, 30}); // before the rise
    QCOMPARE(streaming(app::FixedCostsModel::kAmount), u"€ 12,99"_s);
    QCOMPARE(streaming(app::FixedCostsModel::kLast), date(2024, 6, 14));
    QCOMPARE(streaming(app::FixedCostsModel::kRise), QString());

    // New transactions: it looks from the newest again.
    m_window.form->PageControl1->setCurrentWidget(m_window.form->TabSheet1);
    addTransaction({2024, 12, 28}, u"BAKKER"_s, u"NL06BAKK"_s, -3.15, u"brood"_s);
    showPage();
    QCOMPARE(page()->asOfBox()->date(), QDate(2024, 12, 28));
    QCOMPARE(streaming(app::FixedCostsModel::kAmount), u"€ 14,99"_s);
}

void FixedCostsPageTest::aSortedBlockActsOnTheRowsAsShown()
{
    showPage();
    QTableView* view = page()->costsView();
    view->sortByColumn(app::FixedCostsModel::kAmount, Qt::AscendingOrder);
    QStringList shown;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        shown << view->model()->index(r, app::FixedCostsModel::kAmount).data().toString();
    // By size, not as text ("€ 812,34" before "€ 93,51").
    QCOMPARE(shown, (QStringList{u"€ 14,99"_s, u"€ 27,50"_s, u"€ 93,51"_s, u"€ 812,34"_s}));

    view->selectRow(0);
    page()->hideSelected();
    QCOMPARE(relations(page()->costsModel()),
             (QStringList{u"SPORTSCHOOL"_s, u"VERZEKERAAR"_s, u"WONINGSTICHTING ZUID"_s}));
    page()->showPayments(view, 0);
    auto* dialog = page()->findChild<app::TransactionListDialog*>();
    QVERIFY(dialog);
    QCOMPARE(dialog->view()->model()->index(0, 1).data().toString(), u"SPORTSCHOOL"_s);
    dialog->close();
}

QTEST_MAIN(FixedCostsPageTest)
#include "fixed_costs_page_test.moc"
