// What the pages answer at a glance: the sums of the presented transactions, sorting by a column
// title, copying and exporting rows, the notice of totals that lack transactions, a chart drawn
// anew when "Grafiek" is pressed again, and the years of the table in the year list.
#include "app/kolvaro1.h"
#include "charts/chart_forms.h"
#include "charts/transaction_chart.h"
#include "store/table_names.h"
#include "tests/app/fake_dialogs.h"
#include "tests/app/window_fixture.h"
#include "tests/support/relation_year.h"
#include "viewlogic/filter/page_rows.h"
#include "views/db_grid.h"
#include "views/filter_panel.h"
#include "views/gradient_button.h"
#include "views/table_model.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace n = store::names;
namespace vf = views::filter;
using namespace Qt::StringLiterals;

class Form1AnswersTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sumsFollowTheFilter();
    void titleClicksSortWhilePassesWalkTheTableOrder();
    void copyAndExportTakeTheRowsAsShown();
    void noticeLastsUntilBothPassesRanAcrossRestarts();
    void grafiekDrawsAnOpenChartAnewInItsPlace();
    void yearListAddsTheYearsOfTheTable();

private:
    void start();
    void addTransaction(const QDate& datum, int soort, const QString& naam, double bedrag);
    void addRelationYear(const QString& naam, const QString& jaar);
    views::TableModel* model(views::DbGrid* grid) { return grid->tableModel(); }

    WindowFixture m_window;
    std::unique_ptr<QTemporaryDir>& m_dir = m_window.dir;
    FakeDialogs& m_dialogs = m_window.dialogs;
    std::unique_ptr<store::TDataModule1>& m_data = m_window.data;
    std::unique_ptr<app::TForm1>& m_form = m_window.form;
};

void Form1AnswersTest::init()
{
    QVERIFY(m_window.makeFolder());
    start();
    addTransaction(QDate(2010, 3, 1), 6, u"Caf\u00e9 Anna"_s, -12.5);
    addTransaction(QDate(2010, 3, 2), 4, u"WERKGEVER"_s, 2500.25);
    addTransaction(QDate(2010, 3, 3), 6, u"ANNABEL"_s, -1234.5);
    addTransaction(QDate(2011, 5, 1), 3, u"BANK"_s, 0.75);
    addRelationYear(u"SHOP"_s, u"2010"_s);
    addRelationYear(u"BAKKER"_s, u"2011"_s);
    addRelationYear(u"ANNA"_s, u"2009"_s);
}

void Form1AnswersTest::start()
{
    m_window.start();
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void Form1AnswersTest::cleanup()
{
    QVERIFY2(m_dialogs.errors.isEmpty(), qPrintable(m_dialogs.errors.join(u'\n')));
    m_form.reset();
    m_data.reset();
}

void Form1AnswersTest::addTransaction(const QDate& datum, int soort, const QString& naam,
                                      double bedrag)
{
    dbase::Table& t = m_data->T1;
    t.append();
    t.fieldByName(n::kDatum).setAsDate(datum);
    t.fieldByName(n::kSoort).setAsInteger(soort);
    t.fieldByName(n::kNaam).setAsString(naam);
    t.fieldByName(n::kOmschrijving).setAsString(u"Omschrijving "_s + naam);
    t.fieldByName(n::kReknum).setAsString(QString::number(soort * 111));
    t.fieldByName(n::kBedrag).setAsFloat(bedrag);
    t.post();
}

void Form1AnswersTest::addRelationYear(const QString& naam, const QString& jaar)
{
    testsupport::addRelationYear(m_data->T2, {naam, jaar, {{2, jaar.toDouble() / 10}}});
}

void Form1AnswersTest::sumsFollowTheFilter()
{
    m_form->PageControl1->setCurrentIndex(1);
    QLineEdit* relatie = m_form->DBFilterPanel1->box(vf::kRelatieLine, 0);
    struct Case
    {
        QString typed; // the Relatie box's whole text
        QString count, in, out, balance;
    };
    const Case cases[] = {
        {QString(), u"4"_s, u"2.501,00"_s, u"-1.247,00"_s, u"1.254,00"_s},
        {u"anna"_s, u"2"_s, u"0,00"_s, u"-1.247,00"_s, u"-1.247,00"_s},
        {u"ban"_s, u"1"_s, u"0,75"_s, u"0,00"_s, u"0,75"_s},
        {u"niemand"_s, u"0"_s, u"0,00"_s, u"0,00"_s, u"0,00"_s},
    };
    const QColor plain = m_form->m_amountInTitle->palette().color(QPalette::WindowText);
    const auto colourOf = [&](const QString& text) {
        return text.startsWith(u'-') ? QColor(0xBB, 0, 0)
               : text == u"0,00"     ? plain
                                     : QColor(0, 0x9B, 0);
    };
    for (const Case& c : cases) {
        relatie->setFocus();
        relatie->selectAll();
        if (c.typed.isEmpty())
            QTest::keyClick(relatie, Qt::Key_Backspace);
        else
            QTest::keyClicks(relatie, c.typed);
        QCOMPARE(m_form->Label38->text(), c.count);
        const std::pair<QLabel*, QString> sums[] = {{m_form->m_amountIn, c.in},
                                                    {m_form->m_amountOut, c.out},
                                                    {m_form->m_amountBalance, c.balance}};
        for (const auto& [label, text] : sums) {
            QCOMPARE(label->text(), text);
            QCOMPARE(label->palette().color(QPalette::WindowText), colourOf(text));
        }
    }
}

void Form1AnswersTest::titleClicksSortWhilePassesWalkTheTableOrder()
{
    m_form->PageControl1->setCurrentIndex(1);
    views::DbGrid* grid = m_form->RxDBGrid1;
    QHeaderView* titles = grid->horizontalHeader();
    m_data->T1.moveTo(1); // WERKGEVER
    const auto shownNames = [&] {
        QStringList names;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            names << grid->model()->index(r, 3).data().toString();
        return names;
    };
    struct Step
    {
        QStringList names;
        bool indicator;
    };
    const Step steps[] = {
        {{u"ANNABEL"_s, u"Caf\u00e9 Anna"_s, u"BANK"_s, u"WERKGEVER"_s}, true},
        {{u"WERKGEVER"_s, u"BANK"_s, u"Caf\u00e9 Anna"_s, u"ANNABEL"_s}, true},
        {{u"Caf\u00e9 Anna"_s, u"WERKGEVER"_s, u"ANNABEL"_s, u"BANK"_s}, false},
    };
    for (const Step& step : steps) {
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                          QPoint(titles->sectionViewportPosition(2) + 10, titles->height() / 2));
        QCOMPARE(shownNames(), step.names);
        QCOMPARE(titles->isSortIndicatorShown(), step.indicator);
        // The current row stays the table's, wherever it is shown.
        QCOMPARE(m_data->T1.position(), 1);
        QCOMPARE(grid->model()->index(grid->currentIndex().row(), 3).data().toString(),
                 u"WERKGEVER"_s);
    }

    // Sorted descending by jaar, "select" still walks in NAAM order and ends on the first row of
    // that order; a double click toggles the row it hits.
    m_form->PageControl1->setCurrentIndex(2);
    views::DbGrid* relations = m_form->RxDBGrid2;
    relations->titleClicked(1);
    relations->titleClicked(1);
    m_form->SRColorButton1Click();
    QCOMPARE(m_data->T2.position(), 0); // ANNA, first by name
    QCOMPARE(relations->model()->index(relations->currentIndex().row(), 2).data().toString(),
             u"ANNA"_s);
    QCOMPARE(relations->currentIndex().row(), 2); // 2011, 2010, 2009
    const QRect first = relations->visualRect(relations->model()->index(0, 2));
    QTest::mouseClick(relations->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(relations->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseRelease(relations->viewport(), Qt::LeftButton, {}, first.center());
    QCOMPARE(relations->model()->index(0, 2).data().toString(), u"BAKKER"_s);
    QCOMPARE(relations->model()->index(0, 0).data().toString(), QString()); // deselected
    QCOMPARE(relations->model()->index(1, 0).data().toString(), u"X"_s);
}

void Form1AnswersTest::copyAndExportTakeTheRowsAsShown()
{
    m_form->PageControl1->setCurrentIndex(1);
    views::DbGrid* grid = m_form->RxDBGrid1;
    grid->titleClicked(2);
    grid->titleClicked(2); // Bedrag, largest first
    const auto click = [&](int row, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers,
                          grid->visualRect(grid->model()->index(row, 3)).center());
    };
    click(3, {});
    click(0, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             u"datum\tSrt\tBedrag\tRelatie\tcode/reknr\tOmschrijving\n"
             "02-03-2010\t4\t2.500,25\tWERKGEVER\t444\tOmschrijving WERKGEVER\n"
             "03-03-2010\t6\t-1.234,50\tANNABEL\t666\tOmschrijving ANNABEL\n"_s);

    // Nothing selected: the current row.
    click(3, Qt::ControlModifier);
    click(0, Qt::ControlModifier);
    QVERIFY(!grid->selectionModel()->hasSelection());
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text().section(u'\n', 1),
             u"02-03-2010\t4\t2.500,25\tWERKGEVER\t444\tOmschrijving WERKGEVER\n"_s);

    QAction* exportAction = nullptr;
    for (QAction* action : grid->actions())
        if (action->text() == u"Exporteren\u2026")
            exportAction = action;
    QVERIFY(exportAction);
    QCOMPARE(grid->contextMenuPolicy(), Qt::ActionsContextMenu);
    m_dialogs.saveFileName = m_dir->filePath(u"mutaties.csv"_s);
    exportAction->trigger();
    QCOMPARE(m_dialogs.saveFilter, u"CSV-bestand (*.csv)"_s);
    QFile file(m_dialogs.saveFileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QByteArray("\xEF\xBB\xBF"
                                  "datum;Srt;Bedrag;Relatie;code/reknr;Omschrijving\r"));
    QCOMPARE(lines[1].left(24), QByteArray("02-03-2010;4;2500,25;WER"));
    QCOMPARE(lines[4].left(24), QByteArray("03-03-2010;6;-1234,50;AN"));

    // A folder that cannot take the file: the message, and nothing written.
    m_dialogs.saveFileName = m_dir->filePath(u"mutaties.csv/nieuw.csv"_s);
    exportAction->trigger();
    QCOMPARE(m_dialogs.errors.size(), 1);
    QVERIFY(m_dialogs.errors[0].startsWith(u"Kan het bestand "_s));
    m_dialogs.errors.clear();
}

void Form1AnswersTest::noticeLastsUntilBothPassesRanAcrossRestarts()
{
    const auto notices = [&] {
        return std::pair{m_form->m_relationsNotice, m_form->m_monthNotice};
    };
    const auto shown = [&](const QString& text) {
        for (QLabel* label : {notices().first, notices().second}) {
            QCOMPARE(label->isHidden(), text.isEmpty());
            QCOMPARE(label->text(), text);
        }
    };
    shown(QString());

    // An import that stores transactions: both passes are due.
    QFile bank(m_dir->filePath(u"bank.tab"_s));
    QVERIFY(bank.open(QIODevice::WriteOnly));
    bank.write("123\tEUR\t20100301\t0\t0\t20100301\t-12,5\tGIRO 1 JANSEN  HUUR\r\n");
    bank.close();
    m_dialogs.openFileName = bank.fileName();
    m_form->SRColorButton16Click();
    QCOMPARE(m_data->T1.recordCount(), 5);
    QVERIFY(notices().first->text().contains(u"Aanvullen relaties"_s));
    QVERIFY(notices().first->text().contains(u"Vul per maand"_s));
    m_form->PageControl1->setCurrentIndex(2);
    m_form->SRColorButton8Click();
    m_form->SRColorButton9Click();
    shown(QString());
    m_form->SRColorButton16Click(); // the same file again stores nothing
    shown(QString());

    m_dialogs.answers = {true, true};
    m_form->SRColorButton5Click(); // "Legen Tabel" of mutaties: both passes are due
    QVERIFY(notices().first->text().contains(u"Aanvullen relaties"_s));
    QVERIFY(notices().first->text().contains(u"Vul per maand"_s));
    m_dialogs.answers = {true, true};
    m_form->SRColorButton7Click(); // ... and of bedrijven
    QVERIFY(notices().first->text().contains(u"Aanvullen relaties"_s));
    QVERIFY(notices().first->text().contains(u"Vul per maand"_s));
    const QString stale = notices().first->text();
    shown(stale);

    m_form.reset();
    m_data.reset();
    start();
    shown(stale);
    m_form->PageControl1->setCurrentIndex(2);
    m_form->SRColorButton8Click(); // "Aanvullen relaties"
    QVERIFY(!notices().first->text().contains(u"Aanvullen relaties"_s));
    QVERIFY(notices().first->text().contains(u"Vul per maand"_s));
    m_form->SRColorButton9Click(); // "Vul per maand"
    shown(QString());

    m_form.reset();
    m_data.reset();
    start();
    shown(QString());
}

void Form1AnswersTest::grafiekDrawsAnOpenChartAnewInItsPlace()
{
    charts::TForm2 form2(m_data->T1, {}, m_form.get());
    m_form->setShownWindows({nullptr, {{charts::kTransactionsChart, &form2}}});
    m_form->PageControl1->setCurrentIndex(1);
    m_form->SRColorButton12->click();
    QVERIFY(form2.isVisible());
    QCOMPARE(form2.Chart1->series()->size(), std::size_t(4));

    form2.move(form2.pos() + QPoint(37, 21)); // the user moves it
    const QPoint place = form2.pos();
    QLineEdit* relatie = m_form->DBFilterPanel1->box(vf::kRelatieLine, 0);
    relatie->setFocus();
    QTest::keyClicks(relatie, u"anna"_s);
    m_form->SRColorButton12->click();
    QCOMPARE(form2.Chart1->series()->size(), std::size_t(2));
    QCOMPARE(form2.pos(), place);
}

void Form1AnswersTest::yearListAddsTheYearsOfTheTable()
{
    m_form->PageControl1->setCurrentIndex(2);
    QListWidget* list = m_form->CheckListBox1;
    QCOMPARE(list->count(), 25);
    list->item(2)->setCheckState(Qt::Checked); // 2008
    addRelationYear(u"OUD"_s, u"1999"_s);
    addRelationYear(u"LATER"_s, u"2041"_s);
    addRelationYear(u"RAAR"_s, u"20x1"_s);
    m_form->PageControl1->setCurrentIndex(3);
    m_form->PageControl1->setCurrentIndex(2);
    QCOMPARE(list->count(), 27);
    QCOMPARE(list->item(0)->text(), u"1999"_s);
    QCOMPARE(list->item(1)->text(), u"2006"_s);
    QCOMPARE(list->item(26)->text(), u"2041"_s);
    QCOMPARE(m_form->tickedYears(), QStringList{u"2008"_s});
}

QTEST_MAIN(Form1AnswersTest)
#include "form1_answers_test.moc"
