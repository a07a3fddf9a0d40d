// The filter rows in the main window: typing, refused keys, leaving boxes, and the pages switching
// their rows, as the user does it.
#include "app/kolvaro1.h"
#include "store/table_names.h"
#include "tests/app/fake_dialogs.h"
#include "tests/app/window_fixture.h"
#include "tests/support/relation_year.h"
#include "viewlogic/filter/page_rows.h"
#include "views/db_grid.h"
#include "views/filter_panel.h"
#include "views/gradient_button.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace n = store::names;
namespace vf = views::filter;
using namespace Qt::StringLiterals;

class Form1FilterTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typingInRelatieFollowsTheCount();
    void refusedKeysCopyOnLeavingAndBadDates();
    void pagesSwitchTheirRows();
    void importSeesEveryRowWhateverWasTyped();

private:
    void addTransaction(const QDate& datum, int soort, const QString& naam);
    void addRelationYear(const QString& naam, const QString& jaar);
    static void type(QWidget* box, const QString& text);

    WindowFixture m_window;
    std::unique_ptr<QTemporaryDir>& m_dir = m_window.dir;
    FakeDialogs& m_dialogs = m_window.dialogs;
    std::unique_ptr<store::TDataModule1>& m_data = m_window.data;
    std::unique_ptr<app::TForm1>& m_form = m_window.form;
};

void Form1FilterTest::init()
{
    QVERIFY(m_window.makeFolder());
    m_window.start();
    addTransaction(QDate(2010, 3, 1), 3, u"Abby Road"_s);
    addTransaction(QDate(2010, 3, 2), 4, u"CRABBE"_s);
    addTransaction(QDate(2010, 3, 2), 6, u"JANSEN"_s);
    addTransaction(QDate(2011, 5, 1), 4, u"KABEL"_s);
    addRelationYear(u"SHOP"_s, u"2010"_s);
    addRelationYear(u"SHOP"_s, u"2011"_s);
    addRelationYear(u"BAKKER"_s, u"2011"_s);
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void Form1FilterTest::cleanup()
{
    QVERIFY2(m_dialogs.errors.isEmpty(), qPrintable(m_dialogs.errors.join(u'\n')));
    m_form.reset();
    m_data.reset();
}

void Form1FilterTest::addTransaction(const QDate& datum, int soort, const QString& naam)
{
    dbase::Table& t = m_data->T1;
    t.append();
    t.fieldByName(n::kDatum).setAsDate(datum);
    t.fieldByName(n::kSoort).setAsInteger(soort);
    t.fieldByName(n::kNaam).setAsString(naam);
    t.fieldByName(n::kBedrag).setAsFloat(soort * 10.0);
    t.post();
}

void Form1FilterTest::addRelationYear(const QString& naam, const QString& jaar)
{
    testsupport::addRelationYear(m_data->T2, {naam, jaar, {{0, jaar.toDouble()}}});
}

void Form1FilterTest::type(QWidget* box, const QString& text)
{
    box->setFocus();
    QTest::keyClicks(box, text);
}

void Form1FilterTest::typingInRelatieFollowsTheCount()
{
    m_form->PageControl1->setCurrentIndex(1);
    QCOMPARE(m_form->Label5->text(), u"FILTER is AAN"_s);
    QCOMPARE(m_form->Label38->text(), u"4"_s);
    m_data->T1.last();

    QWidget* relatie = m_form->DBFilterPanel1->box(vf::kRelatieLine, 0);
    const QStringList counts = {u"4"_s, u"3"_s, u"2"_s}; // a, ab, abb: any case, anywhere
    for (int i = 0; i < counts.size(); ++i) {
        type(relatie, QString(u"abb"_s[i]));
        QCOMPARE(m_form->Label38->text(), counts[i]);
        QCOMPARE(m_form->RxDBGrid1->currentIndex().row(), 0);
    }
    type(relatie, u"x"_s);
    QCOMPARE(m_form->Label38->text(), u"0"_s);
    QCOMPARE(m_form->RxDBGrid1->model()->rowCount(), 0);
}

void Form1FilterTest::refusedKeysCopyOnLeavingAndBadDates()
{
    m_form->PageControl1->setCurrentIndex(1);
    views::FilterPanel* panel = m_form->DBFilterPanel1;

    QLineEdit* soortVan = panel->box(vf::kSoortLine, 0);
    type(soortVan, u"x4"_s); // the letter is refused
    QCOMPARE(soortVan->text(), u"4"_s);
    QCOMPARE(m_form->Label38->text(), u"3"_s); // kinds 4 and up
    QTest::keyClick(soortVan, Qt::Key_Tab);
    QCOMPARE(panel->box(vf::kSoortLine, 1)->text(), u"4"_s);
    QCOMPARE(m_form->Label38->text(), u"2"_s); // kind 4 only: CRABBE and KABEL
    QVERIFY(panel->box(vf::kSoortLine, 1)->hasFocus());

    QLineEdit* datumVan = panel->box(vf::kDatumLine, 0);
    type(datumVan, u"2-3-"_s);
    QTest::keyClick(datumVan, Qt::Key_Tab);
    QCOMPARE(m_dialogs.errors, QStringList{u"'2-3-' is not a valid date"_s});
    QTRY_VERIFY(datumVan->hasFocus());
    QVERIFY(panel->box(vf::kDatumLine, 1)->text().isEmpty());
    m_dialogs.errors.clear();

    type(datumVan, u"2010"_s);
    QTest::keyClick(datumVan, Qt::Key_Tab);
    QCOMPARE(datumVan->text(), u"02-03-2010"_s);
    QCOMPARE(panel->box(vf::kDatumLine, 1)->text(), u"02-03-2010"_s);
    QCOMPARE(m_form->Label38->text(), u"1"_s); // CRABBE, kind 4 on that day
}

void Form1FilterTest::pagesSwitchTheirRows()
{
    QCOMPARE(m_form->Label5->text(), u"FILTER"_s); // written only when its page is shown
    m_form->PageControl1->setCurrentIndex(1);
    QLineEdit* relatie = m_form->DBFilterPanel1->box(vf::kRelatieLine, 0);
    type(relatie, u"ab"_s);
    QCOMPARE(m_data->T1.recordCount(), 3);

    // The import page: every row presented, the boxes keep their texts; back: in force again.
    m_form->PageControl1->setCurrentIndex(0);
    QCOMPARE(m_data->T1.recordCount(), 4);
    QCOMPARE(relatie->text(), u"ab"_s);
    m_form->PageControl1->setCurrentIndex(1);
    QCOMPARE(m_form->Label38->text(), u"3"_s);
    m_form->SRColorButton4->click();
    QCOMPARE(relatie->text(), QString());
    QCOMPARE(m_form->Label38->text(), u"4"_s);

    // The relations and month-totals pages empty each other's row.
    m_form->PageControl1->setCurrentIndex(2);
    QCOMPARE(m_form->Label6->text(), u"FILTER is AAN"_s);
    type(m_form->DBFilterPanel2->box(vf::kNaamLine, 0), u"sh"_s);
    QCOMPARE(m_form->Label9->text(), u"2"_s);
    m_form->PageControl1->setCurrentIndex(3);
    QCOMPARE(m_form->DBFilterPanel2->box(vf::kNaamLine, 0)->text(), QString());
    QCOMPARE(m_form->Label15->text(), u"FILTER is AAN"_s);
    QCOMPARE(m_form->Label17->text(), u"3"_s);
    QLineEdit* jaar = m_form->DBFilterPanel3->box(vf::kJaarLine, 0);
    type(jaar, u"2011 "_s);
    QCOMPARE(m_form->Label17->text(), u"2"_s);
    QCOMPARE(m_form->StringGrid1->item(0, 1)->text(), u"4.022,00"_s); // jan of both 2011 rows
    m_form->PageControl1->setCurrentIndex(2);
    QCOMPARE(jaar->text(), QString());
    QCOMPARE(m_form->Label9->text(), u"3"_s);
}

void Form1FilterTest::importSeesEveryRowWhateverWasTyped()
{
    const QByteArray line = "123\tEUR\t20120101\t0\t0\t20120101\t5,00\tGIRO 1 DIRK  HUUR\r\n";
    QFile file(m_dir->filePath(u"bank.tab"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(line) == line.size());
    file.close();
    m_dialogs.openFileName = file.fileName();
    m_form->SRColorButton16Click();

    // A filter that hides the imported line must not let the second import store it again.
    m_form->PageControl1->setCurrentIndex(1);
    type(m_form->DBFilterPanel1->box(vf::kRelatieLine, 0), u"zzz"_s);
    QCOMPARE(m_form->Label38->text(), u"0"_s);
    m_form->SRColorButton16Click();
    QVERIFY(!m_form->DBFilterPanel1->row().filtered());
    QVERIFY(!m_data->T1.filtered());
    QCOMPARE(m_data->T1.recordCount(), 5);
}

QTEST_MAIN(Form1FilterTest)
#include "form1_filter_test.moc"
