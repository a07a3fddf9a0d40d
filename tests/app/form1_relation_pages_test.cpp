// The two pages over bedrijven in the main window: the select flags on the relations page, and
// the month-totals strip standing over its grid's month columns.
#include "app/kolvaro1.h"
#include "store/table_names.h"
#include "tests/app/fake_dialogs.h"
#include "tests/app/window_fixture.h"
#include "tests/support/relation_year.h"
#include "viewlogic/filter/page_rows.h"
#include "views/db_grid.h"
#include "views/filter_panel.h"
#include "views/gradient_button.h"
#include "views/month_strip.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace n = store::names;
namespace vf = views::filter;
using namespace Qt::StringLiterals;

class Form1RelationPagesTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void doubleClickAndButtonsSetTheFlags();
    void stripStandsOverTheMonthColumns();

private:
    QString flags() const; // per row in NAAM order: "X" set, "-" not
    QString misalignment() const;
    void doubleClick(QWidget* target, const QPoint& at);

    WindowFixture m_window;
    std::unique_ptr<QTemporaryDir>& m_dir = m_window.dir;
    FakeDialogs& m_dialogs = m_window.dialogs;
    std::unique_ptr<store::TDataModule1>& m_data = m_window.data;
    std::unique_ptr<app::TForm1>& m_form = m_window.form;
};

void Form1RelationPagesTest::init()
{
    QVERIFY(m_window.makeFolder());
    m_window.start();
    // In NAAM order.
    for (const testsupport::RelationYear& r :
         {testsupport::RelationYear{u"BAKKER"_s, u"2010"_s, {{0, -1234.5}}},
          testsupport::RelationYear{u"SHOP"_s, u"2010"_s, {{0, 1000.0}}},
          testsupport::RelationYear{u"SHOP"_s, u"2011"_s, {{0, 7.0}}},
          testsupport::RelationYear{u"TELECOM NOORD"_s, u"2011"_s, {{0, -50.0}}}})
        testsupport::addRelationYear(m_data->T2, r);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void Form1RelationPagesTest::cleanup()
{
    QVERIFY2(m_dialogs.errors.isEmpty(), qPrintable(m_dialogs.errors.join(u'\n')));
    m_form.reset();
    m_data.reset();
}

QString Form1RelationPagesTest::flags() const
{
    const dbase::Table& t = m_data->T2;
    const int select = t.fieldIndex(n::kSelect);
    QString text;
    for (int r = 0; r < t.recordCount(); ++r)
        text += t.rowAt(r).asBoolean(select) ? u'X' : u'-';
    return text;
}

void Form1RelationPagesTest::doubleClick(QWidget* target, const QPoint& at)
{
    // As a mouse sends it: press, release, double click, release.
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);
}

void Form1RelationPagesTest::doubleClickAndButtonsSetTheFlags()
{
    m_form->PageControl1->setCurrentIndex(2);
    views::DbGrid* grid = m_form->RxDBGrid2;
    const auto cellCentre = [grid](int row) {
        return grid->visualRect(grid->model()->index(row, 2)).center();
    };

    doubleClick(grid->viewport(), cellCentre(1));
    QCOMPARE(flags(), u"-X--"_s);
    QCOMPARE(grid->model()->index(1, 0).data().toString(), u"X"_s); // the "sel" column
    // The titles and the room below the last row are no row: nothing changes.
    doubleClick(grid->horizontalHeader()->viewport(), QPoint(120, 8));
    doubleClick(grid->viewport(), QPoint(60, grid->viewport()->height() - 4));
    QCOMPARE(flags(), u"-X--"_s);

    // The buttons act on the rows the filter lets through, then the grid is on its first row.
    QLineEdit* naam = m_form->DBFilterPanel2->box(vf::kNaamLine, 0);
    naam->setFocus();
    QTest::keyClicks(naam, u"o"_s); // SHOP twice and TELECOM NOORD
    m_data->T2.last();
    m_form->SRColorButton1->click();
    QCOMPARE(grid->currentIndex().row(), 0);
    m_form->SRColorButton10->click(); // " Wis"
    QCOMPARE(flags(), u"-XXX"_s);
    QCOMPARE(grid->model()->index(3, 0).data().toString(), u"X"_s);
    m_form->SRColorButton6->click();
    QCOMPARE(flags(), u"----"_s);

    // An empty grid: a double click adds and changes nothing.
    QTest::keyClicks(naam, u"zz"_s);
    doubleClick(grid->viewport(), QPoint(60, 10));
    m_form->SRColorButton10->click();
    QCOMPARE(flags(), u"----"_s);
    QCOMPARE(m_data->T2.recordCount(), 4);
}

// Each month cell of the strip must begin where its grid column begins and be as wide.
QString Form1RelationPagesTest::misalignment() const
{
    const QTableWidget* strip = m_form->StringGrid1;
    const views::DbGrid* grid = m_form->RxDBGrid3;
    for (int m = 1; m <= 12; ++m) {
        const int column = 1 + m; // after jaar and Naam
        const int cellX =
            strip->viewport()->mapToGlobal(QPoint(strip->columnViewportPosition(m), 0)).x();
        const int columnX =
            grid->viewport()->mapToGlobal(QPoint(grid->columnViewportPosition(column), 0)).x();
        if (cellX != columnX || strip->columnWidth(m) != grid->columnWidth(column))
            return u"month %1: cell at %2 (%3 wide), column at %4 (%5 wide)"_s.arg(m)
                .arg(cellX)
                .arg(strip->columnWidth(m))
                .arg(columnX)
                .arg(grid->columnWidth(column));
    }
    // The strip cuts off what lies beyond the grid's visible columns.
    const QWidget* clip = m_form->m_monthStrip;
    if (clip->mapToGlobal(QPoint(0, 0)).x() != grid->viewport()->mapToGlobal(QPoint(0, 0)).x() ||
        clip->width() != grid->viewport()->width())
        return u"the strip does not span the grid's visible columns"_s;
    return {};
}

void Form1RelationPagesTest::stripStandsOverTheMonthColumns()
{
    for (int c = 0; c < 13; ++c)
        QCOMPARE(m_form->StringGrid1->item(0, c)->text(), QString()); // not yet computed
    m_form->PageControl1->setCurrentIndex(3);
    QTRY_VERIFY(m_form->RxDBGrid3->isVisible());
    QCOMPARE(m_form->StringGrid1->item(0, 1)->text(), u"-277,50"_s);
    QVERIFY2(misalignment().isEmpty(), qPrintable(misalignment()));
    QVERIFY(m_form->StringGrid1->mapToGlobal(QPoint(0, m_form->StringGrid1->height())).y() <=
            m_form->RxDBGrid3->mapToGlobal(QPoint(0, 0)).y());

    views::DbGrid* grid = m_form->RxDBGrid3;
    grid->setColumnWidth(1, 500); // Naam pushes the months past the right edge
    QVERIFY2(misalignment().isEmpty(), qPrintable(misalignment()));
    grid->setColumnWidth(4, 90); // a month column
    QVERIFY2(misalignment().isEmpty(), qPrintable(misalignment()));
    QScrollBar* bar = grid->horizontalScrollBar();
    QTRY_VERIFY(bar->maximum() > 200);
    bar->setValue(200);
    QVERIFY2(misalignment().isEmpty(), qPrintable(misalignment()));
    bar->setValue(bar->maximum());
    QVERIFY2(misalignment().isEmpty(), qPrintable(misalignment()));

    // A keystroke that leaves the filter as it was recomputes without moving the current row.
    m_data->T2.moveTo(2);
    QLineEdit* jaar = m_form->DBFilterPanel3->box(vf::kJaarLine, 0);
    jaar->setFocus();
    QTest::keyClicks(jaar, u" "_s);
    QCOMPARE(m_data->T2.position(), 2);
    QCOMPARE(grid->currentIndex().row(), 2);
    QTest::keyClicks(jaar, u"19"_s); // no row: every month 0,00
    QCOMPARE(m_form->Label17->text(), u"0"_s);
    for (int c = 1; c < 13; ++c)
        QCOMPARE(m_form->StringGrid1->item(0, c)->text(), u"0,00"_s);
}

QTEST_MAIN(Form1RelationPagesTest)
#include "form1_relation_pages_test.moc"
