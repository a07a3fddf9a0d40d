// Cell rules, kind badges, the calculator, and the grid model over a table.
#include "store/date_format.h"
#include "store/dbase/table.h"
#include "store/number_format.h"
#include "store/table_definitions.h"
#include "store/table_names.h"
#include "tests/support/relation_year.h"
#include "views/calculator.h"
#include "views/cell_rules.h"
#include "views/cell_text_painter.h"
#include "views/db_grid.h"
#include "views/db_navigator.h"
#include "views/kind_badges.h"
#include "views/table_model.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

namespace n = store::names;
using views::CellTone;
using views::GridRule;

Q_DECLARE_METATYPE(views::GridRule)
Q_DECLARE_METATYPE(views::CellTone)

class ViewsTest : public QObject
{
    Q_OBJECT
private slots:
    void cellTone_data();
    void cellTone();
    void badges_data();
    void badges();
    void calculator_data();
    void calculator();
    void model_showsRowsInIndexOrderWithFormats();
    void model_coloursFollowTheRules();
    void grid_currentRowIsTheTablesCurrentRow();
    void model_disabledTableResetsOnceWhenEnabled();
    void model_followsCloseAndOpen();
    void model_cellViewAgreesWithRoles();
    void dateFormatter_data();
    void dateFormatter();
    void cellTextPainter_data();
    void cellTextPainter();
    void grid_ownLinesAreQtsGridLines();
    void grid_looksAsUnderTheApplicationStyle();
    void grid_fixedCells_data();
    void grid_fixedCells();
    void grid_cutTextsShowWholeInATooltip();
    void grid_scrolledToTheEndShowsWholeRows();
};

void ViewsTest::cellTone_data()
{
    QTest::addColumn<GridRule>("rule");
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<CellTone>("tone");
    QTest::newRow("amount below zero")
        << GridRule::Sign << n::kBedrag << -0.01 << CellTone::Negative;
    QTest::newRow("amount above zero")
        << GridRule::Sign << n::kBedrag << 0.01 << CellTone::Positive;
    QTest::newRow("amount zero keeps colour")
        << GridRule::Sign << n::kBedrag << 0.0 << CellTone::Unchanged;
    QTest::newRow("amount rule is case exact")
        << GridRule::Sign << QStringLiteral("bedrag") << -5.0 << CellTone::Unchanged;
    QTest::newRow("sign rule ignores months")
        << GridRule::Sign << QStringLiteral("jan") << -5.0 << CellTone::Unchanged;
    QTest::newRow("jan below zero")
        << GridRule::Month << QStringLiteral("jan") << -3.0 << CellTone::Negative;
    QTest::newRow("dec above zero")
        << GridRule::Month << QStringLiteral("dec") << 7.5 << CellTone::Positive;
    QTest::newRow("month zero hidden")
        << GridRule::Month << QStringLiteral("mrt") << 0.0 << CellTone::Hidden;
    QTest::newRow("month rule is case exact")
        << GridRule::Month << QStringLiteral("Jan") << -3.0 << CellTone::Unchanged;
    QTest::newRow("jaar untouched") << GridRule::Month << n::kJaar << 2010.0 << CellTone::Unchanged;
    QTest::newRow("Naam untouched") << GridRule::Month << n::kNaam << 0.0 << CellTone::Unchanged;
    QTest::newRow("month rule ignores Bedrag")
        << GridRule::Month << n::kBedrag << -1.0 << CellTone::Unchanged;
}

void ViewsTest::cellTone()
{
    QFETCH(GridRule, rule);
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(CellTone, tone);
    QCOMPARE(views::cellTone(rule, field, value), tone);
}

void ViewsTest::badges_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QColor>("face");
    QTest::newRow("3 Bnk") << 3 << QStringLiteral("Bnk") << QColor(0xDF, 0xFF, 0xDF);
    QTest::newRow("4 Gir") << 4 << QStringLiteral("Gir") << QColor(0xE6, 0xFF, 0xFF);
    QTest::newRow("5 CHP") << 5 << QStringLiteral("CHP") << QColor(0xFF, 0xEF, 0xE8);
    QTest::newRow("6 Pin") << 6 << QStringLiteral("Pin") << QColor(0xFF, 0xFF, 0x80);
    QTest::newRow("7 OPn") << 7 << QStringLiteral("OPn") << QColor(0xFF, 0x9B, 0x9B);
    QTest::newRow("0 green square") << 0 << QString() << QColor(0x00, 0xFF, 0x00);
    QTest::newRow("1 red square") << 1 << QString() << QColor(0xFF, 0x00, 0x00);
    QTest::newRow("2 yellow square") << 2 << QString() << QColor(0xFF, 0xFF, 0x00);
}

void ViewsTest::badges()
{
    QFETCH(int, index);
    QFETCH(QString, letters);
    QFETCH(QColor, face);
    const QImage& image = views::imageList1()[std::size_t(index)];
    QCOMPARE(image.size(), QSize(16, 16));
    QCOMPARE(views::kindBadge(index).letters, letters);
    if (index >= 3) {
        QCOMPARE(QColor(image.pixel(1, 1)), face); // inside the badge
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);    // cut corner
        QCOMPARE(qAlpha(image.pixel(15, 15)), 0);  // outside 15x14
        QCOMPARE(qAlpha(image.pixel(7, 14)), 0);
    } else {
        QCOMPARE(QColor(image.pixel(7, 7)), face);
        QCOMPARE(QColor(image.pixel(2, 2)), QColor(Qt::black)); // the edge
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }
}

void ViewsTest::calculator_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::newRow("addition") << QStringLiteral("12+3=") << QStringLiteral("15");
    QTest::newRow("decimal comma") << QStringLiteral("1,5*2=") << QStringLiteral("3");
    QTest::newRow("left to right") << QStringLiteral("2+3*4=") << QStringLiteral("20");
    QTest::newRow("running result") << QStringLiteral("2+3*") << QStringLiteral("5");
    QTest::newRow("fraction") << QStringLiteral("1/4=") << QStringLiteral("0,25");
    QTest::newRow("negative") << QStringLiteral("3-10=") << QStringLiteral("-7");
    QTest::newRow("change sign") << QStringLiteral("9N") << QStringLiteral("-9");
    QTest::newRow("erase digit") << QStringLiteral("12\b") << QStringLiteral("1");
    QTest::newRow("one comma only") << QStringLiteral("1,,5") << QStringLiteral("1,5");
    QTest::newRow("division by zero") << QStringLiteral("7/0=") << QStringLiteral("Fout");
    QTest::newRow("error needs clear") << QStringLiteral("7/0=5") << QStringLiteral("Fout");
    QTest::newRow("clear after error") << QStringLiteral("7/0=C4") << QStringLiteral("4");
    QTest::newRow("operator change") << QStringLiteral("6+-2=") << QStringLiteral("4");
}

void ViewsTest::calculator()
{
    QFETCH(QString, keys);
    QFETCH(QString, display);
    views::Calculator calc;
    for (QChar key : keys)
        calc.press(key);
    QCOMPARE(calc.display(), display);
}

namespace {

// What the grid's cells look like now, painted offscreen.
QImage renderedViewport(QAbstractScrollArea& view)
{
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    view.viewport()->render(&image);
    return image;
}

std::unique_ptr<dbase::Table> transactions()
{
    auto table = dbase::Table::createInMemory(store::mutatiesDefinition(), n::kIndexDatum);
    struct Row
    {
        QDate date;
        int kind;
        double amount;
        const char16_t* name;
    };
    const Row rows[] = {{QDate(2011, 3, 1), 6, -12.5, u"DAGVERS"},
                        {QDate(2010, 1, 5), 3, 1234.56, u"SALARIS"},
                        {QDate(2012, 7, 9), 4, 0.0, u"NUL"},
                        {QDate(2010, 6, 2), 7, -0.01, u"CENT"}};
    for (const Row& r : rows) {
        table->append();
        table->fieldByName(n::kDatum).setAsDate(r.date);
        table->fieldByName(n::kSoort).setAsInteger(r.kind);
        table->fieldByName(n::kBedrag).setAsFloat(r.amount);
        table->fieldByName(n::kNaam).setAsString(QString::fromUtf16(r.name));
        table->post();
    }
    table->first();
    return table;
}

// Rows on consecutive days, so that their order is their number.
std::unique_ptr<dbase::Table> manyTransactions(int count)
{
    auto table = dbase::Table::createInMemory(store::mutatiesDefinition(), n::kIndexDatum);
    for (int i = 0; i < count; ++i) {
        table->append();
        table->fieldByName(n::kDatum).setAsDate(QDate(2010, 1, 1).addDays(i));
        table->fieldByName(n::kBedrag).setAsFloat(i);
        table->post();
    }
    table->first();
    return table;
}

// The rows (y) of a picture that hold a pixel of the colour.
QSet<int> rowsWithColour(const QImage& image, const QColor& colour)
{
    QSet<int> rows;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                rows.insert(y);
    return rows;
}

QString text(const QAbstractItemModel& model, int row, int column)
{
    return model.index(row, column).data().toString();
}

} // namespace

void ViewsTest::model_showsRowsInIndexOrderWithFormats()
{
    auto table = transactions();
    views::TableModel model(*table, views::transactionGrid());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.columnCount(), 6);
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Srt"));
    QCOMPARE(model.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Relatie"));
    QCOMPARE(model.headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("code/reknr"));
    // datum order, whatever the order of appending
    QCOMPARE(text(model, 0, 0), store::datefmt::formatShortDate(QDate(2010, 1, 5)));
    QCOMPARE(text(model, 1, 3), QStringLiteral("CENT"));
    QCOMPARE(text(model, 3, 3), QStringLiteral("NUL"));
    QCOMPARE(text(model, 0, 2), QStringLiteral("1.234,56"));
    QCOMPARE(text(model, 2, 2), QStringLiteral("-12,50"));
    QCOMPARE(text(model, 3, 2), QStringLiteral("0,00"));
    QCOMPARE(text(model, 0, 1), QStringLiteral("3"));
    QCOMPARE(model.index(0, 1).data(views::TableModel::KindRole).toInt(), 3);
    QVERIFY(!model.index(0, 2).data(views::TableModel::KindRole).isValid());
    const auto amountAlign = model.index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    QVERIFY(amountAlign & Qt::AlignRight);
    const auto nameAlign = model.index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    QVERIFY(nameAlign & Qt::AlignLeft);
    QCOMPARE(table->position(), 0); // reading never moved the cursor
    QCOMPARE(store::datefmt::formatShortDate(QDate()), QString());
}

void ViewsTest::model_coloursFollowTheRules()
{
    auto table = transactions();
    views::TableModel grid1(*table, views::transactionGrid());
    QCOMPARE(grid1.index(0, 2).data(Qt::ForegroundRole).value<QColor>(), views::kPositiveColour);
    QCOMPARE(grid1.index(1, 2).data(Qt::ForegroundRole).value<QColor>(), views::kNegativeColour);
    QVERIFY(!grid1.index(3, 2).data(Qt::ForegroundRole).isValid()); // zero: grid's colour
    QVERIFY(!grid1.index(1, 3).data(Qt::ForegroundRole).isValid());

    auto bedrijven = dbase::Table::createInMemory(store::bedrijvenDefinition(), n::kIndexNaam);
    views::TableModel grid2(*bedrijven, views::relationGrid());
    QAbstractItemModelTester tester(&grid2, QAbstractItemModelTester::FailureReportingMode::QtTest);
    testsupport::addRelationYear(
        *bedrijven, {QStringLiteral("A"), QStringLiteral("2010"), {{0, -4}, {1, 4}, {2, 0}}, true});
    // As the import adds it: only Naam and jaar.
    testsupport::addRelationYear(*bedrijven, {QStringLiteral("B"), QStringLiteral("2011")});
    QCOMPARE(grid2.rowCount(), 2);
    const QColor window = QGuiApplication::palette().color(QPalette::Base);
    QCOMPARE(text(grid2, 0, 0), QStringLiteral("X"));
    QCOMPARE(text(grid2, 1, 0), QString());
    QCOMPARE(grid2.index(0, 3).data(Qt::ForegroundRole).value<QColor>(), views::kNegativeColour);
    QCOMPARE(grid2.index(0, 4).data(Qt::ForegroundRole).value<QColor>(), views::kPositiveColour);
    QCOMPARE(grid2.index(0, 5).data(Qt::ForegroundRole).value<QColor>(), window);
    QCOMPARE(text(grid2, 0, 5), QStringLiteral("0,00"));
    QCOMPARE(text(grid2, 1, 3), QString()); // empty month shows blank ...
    QCOMPARE(grid2.index(1, 3).data(Qt::ForegroundRole).value<QColor>(), window); // ... like a zero
    QVERIFY(!grid2.index(0, 1).data(Qt::ForegroundRole).isValid());               // jaar
}

void ViewsTest::grid_currentRowIsTheTablesCurrentRow()
{
    auto table = transactions();
    views::TableModel tableModel(*table, views::transactionGrid());
    views::TableModel* model = &tableModel;
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    views::DbGrid grid(model);
    views::DbNavigator navigator(*table);
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.currentIndex().row(), 0);

    navigator.click(views::DbNavigator::Last);
    QCOMPARE(table->position(), 3);
    QCOMPARE(grid.currentIndex().row(), 3);
    navigator.click(views::DbNavigator::Prior);
    QCOMPARE(grid.currentIndex().row(), 2);
    navigator.click(views::DbNavigator::First);
    navigator.click(views::DbNavigator::Next);
    QCOMPARE(grid.currentIndex().row(), 1);

    grid.setCurrentIndex(model->index(2, 3)); // the user clicks a row
    QCOMPARE(table->position(), 2);
    QCOMPARE(table->fieldByName(n::kNaam).asString(), QStringLiteral("DAGVERS"));
    QVERIFY(grid.selectionModel()->isRowSelected(2, {}));
    QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
}

void ViewsTest::model_disabledTableResetsOnceWhenEnabled()
{
    auto table = transactions();
    views::TableModel model(*table, views::transactionGrid());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
    table->disableControls();
    for (int i = 0; i < 3; ++i) {
        table->append();
        table->fieldByName(n::kDatum).setAsDate(QDate(2013, 1, 1 + i));
        table->post();
    }
    QCOMPARE(model.rowCount(), 4); // nothing announced while disabled
    table->enableControls();
    QCOMPARE(resets.size(), 1);
    QCOMPARE(inserts.size(), 0);
    QCOMPARE(model.rowCount(), 7);

    table->append(); // enabled: each stored row is announced as it comes
    table->fieldByName(n::kDatum).setAsDate(QDate(2009, 1, 1));
    table->post();
    QCOMPARE(model.rowCount(), 8);
    QCOMPARE(text(model, 0, 0), store::datefmt::formatShortDate(QDate(2009, 1, 1)));
}

void ViewsTest::model_followsCloseAndOpen()
{
    auto table = transactions();
    views::TableModel model(*table, views::transactionGrid());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    table->close();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.index(0, 0).isValid());
    table->open();
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(text(model, 0, 2), QStringLiteral("1.234,56"));
}

void ViewsTest::model_cellViewAgreesWithRoles()
{
    // The grid paints from cellView; other views and tests read data(): both must say the same.
    auto table = transactions();
    views::TableModel model(*table, views::transactionGrid());
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex index = model.index(row, column);
            const views::TableModel::CellView cell = model.cellView(row, column);
            QCOMPARE(cell.text, index.data().toString());
            QCOMPARE(cell.foreground, index.data(Qt::ForegroundRole).value<QColor>());
            const auto alignment = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
            QCOMPARE(cell.rightAligned, bool(alignment & Qt::AlignRight));
            const QVariant kind = index.data(views::TableModel::KindRole);
            QCOMPARE(cell.kind, kind.isValid() ? kind.toInt() : -1);
        }
    }
}

void ViewsTest::dateFormatter_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QDate>("date");
    QTest::newRow("dutch") << QStringLiteral("dd-MM-yyyy") << QDate(2010, 1, 5);
    QTest::newRow("short pieces") << QStringLiteral("d-M-yy") << QDate(2009, 11, 25);
    QTest::newRow("one digit day") << QStringLiteral("d/M/yyyy") << QDate(2012, 3, 7);
    QTest::newRow("iso") << QStringLiteral("yyyy-MM-dd") << QDate(1999, 12, 31);
    QTest::newRow("two digit year pads") << QStringLiteral("dd.MM.yy") << QDate(2005, 6, 1);
    QTest::newRow("small year pads") << QStringLiteral("dd-MM-yyyy") << QDate(7, 2, 3);
    QTest::newRow("month name") << QStringLiteral("d MMM yyyy") << QDate(2010, 8, 9);
    QTest::newRow("quoted text") << QStringLiteral("dd 'de' MM yyyy") << QDate(2010, 8, 9);
    QTest::newRow("year before 1") << QStringLiteral("dd-MM-yyyy") << QDate(-44, 3, 15);
    QTest::newRow("invalid date") << QStringLiteral("dd-MM-yyyy") << QDate();
}

void ViewsTest::dateFormatter()
{
    QFETCH(QString, pattern);
    QFETCH(QDate, date);
    const QString expected = date.isValid() ? date.toString(pattern) : QString();
    QCOMPARE(store::datefmt::DateFormatter(pattern).format(date), expected);
}

namespace {

// A cell of 16 pixels high as the grid paints it, texts 2 pixels inside the cell.
QImage paintCell(const QString& text, const QRect& cell, Qt::Alignment alignment,
                 views::CellTextPainter* painter, const QFont& font)
{
    QImage image(140, 22, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(views::kNegativeColour);
    const QRect textRect = cell.adjusted(2, 0, -2, 0);
    if (painter) {
        painter->draw(p, cell, textRect, alignment, text);
    } else {
        p.setFont(font);
        p.setClipRect(cell);
        p.drawText(textRect, int(alignment) | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
    return image;
}

} // namespace

void ViewsTest::cellTextPainter_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("kerned capitals") << QStringLiteral("AVATAR To Yo LT");
    QTest::newRow("amount") << QStringLiteral("-1.234,56");
    QTest::newRow("date") << QStringLiteral("05-01-2010");
    QTest::newRow("kind code") << QStringLiteral("3");
    QTest::newRow("latin-1 letter") << QStringLiteral("CAF\u00c9 DE BEURS");
    QTest::newRow("euro sign goes the slow way") << QStringLiteral("\u20ac 12,50");
    QTest::newRow("trailing blank goes the slow way") << QStringLiteral("ABC ");
    QTest::newRow("tab goes the slow way") << QStringLiteral("A\tB");
    QTest::newRow("soft hyphen goes the slow way") << QStringLiteral("ver\u00adzekering");
    QTest::newRow("leading blanks") << QStringLiteral("  links");
    QTest::newRow("wider than any cell")
        << QStringLiteral("BUURTWINKELS 1234 betaling 77 omschrijving fijne waffles");
    QTest::newRow("empty") << QString();
}

void ViewsTest::cellTextPainter()
{
    QFETCH(QString, text);
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(11);
    for (const QFont& font : {QApplication::font(), small}) {
        views::CellTextPainter painter(font);
        // Twice over: the second pass draws from what the first one learnt of the font.
        for (int pass = 0; pass < 2; ++pass) {
            for (const QRect& cell : {QRect(0, 0, 120, 16), QRect(3, 1, 28, 16),
                                      QRect(5, 2, 68, 17), QRect(1, 0, 14, 15)}) {
                for (const Qt::Alignment alignment : {Qt::AlignLeft, Qt::AlignRight}) {
                    const QImage fast = paintCell(text, cell, alignment, &painter, font);
                    const QImage expected = paintCell(text, cell, alignment, nullptr, font);
                    if (fast != expected)
                        QFAIL(qPrintable(QStringLiteral("differs in %1x%2 at %3,%4, alignment %5")
                                             .arg(cell.width())
                                             .arg(cell.height())
                                             .arg(cell.x())
                                             .arg(cell.y())
                                             .arg(int(alignment))));
                }
            }
        }
    }
}

void ViewsTest::grid_ownLinesAreQtsGridLines()
{
    // The grid fills its lines itself; with Qt's own pen lines drawn as well the picture must not
    // change, so every own line lies on one of Qt's and none is missing.
    auto table = transactions();
    views::TableModel model(*table, views::transactionGrid());
    views::DbGrid grid(&model);
    grid.resize(500, 120);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.horizontalScrollBar()->setValue(30);
    const auto render = [&grid] { return renderedViewport(grid); };
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        grid.setLayoutDirection(direction);
        grid.setGridStyle(Qt::NoPen);
        const QImage own = render();
        grid.setGridStyle(Qt::SolidLine);
        QCOMPARE(render(), own);
    }
}

void ViewsTest::grid_looksAsUnderTheApplicationStyle()
{
    // The grid skips the style's row panel where it would draw nothing; selected and alternate
    // rows, badges and coloured amounts must come out as the application's style paints them.
    auto table = transactions();
    views::TableModel model(*table, views::transactionGrid());
    views::DbGrid grid(&model);
    grid.resize(500, 120);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const auto render = [&grid] { return renderedViewport(grid); };
    table->moveTo(2); // a selected row between plain ones
    QVERIFY(grid.selectionModel()->isRowSelected(2, {}));
    QStyle* own = grid.style();
    for (const bool alternate : {false, true}) {
        grid.setAlternatingRowColors(alternate);
        grid.setStyle(own);
        const QImage fast = render();
        grid.setStyle(QApplication::style());
        QCOMPARE(fast, render());
    }
}

void ViewsTest::grid_cutTextsShowWholeInATooltip()
{
    // Only a text its column cuts gets a tooltip, with the whole text in it.
    const QString longName = QStringLiteral("SCHOENMAKER VERZEKERINGSMAATSCHAPPIJ NRD");
    const QString account = QStringLiteral("NL12KOLV0123456");
    auto table = transactions();
    table->moveTo(0);
    table->edit();
    table->fieldByName(n::kNaam).setAsString(longName);
    table->fieldByName(n::kReknum).setAsString(account);
    table->post();
    views::TableModel model(*table, views::transactionGrid());
    views::DbGrid grid(&model);
    grid.resize(900, 140);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const int row = model.index(0, 3).data().toString() == longName ? 0 : -1;
    QVERIFY(row == 0);
    // Columns: datum, Srt, Bedrag, Relatie, code/reknr, Omschrijving.
    const struct
    {
        int row;
        int column;
        QString tooltip;
    } cases[] = {
        {0, 3, longName}, {0, 4, account}, {1, 3, QString()}, {0, 2, QString()}, {1, 5, QString()},
    };
    for (const auto& c : cases) {
        const QRect cell = grid.visualRect(model.index(c.row, c.column));
        QHelpEvent event(QEvent::ToolTip, cell.center(),
                         grid.viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid.viewport(), &event);
        // A text that fits leaves the event unaccepted: no tooltip is shown for it.
        QCOMPARE(event.isAccepted() ? QToolTip::text() : QString(), c.tooltip);
    }
}

void ViewsTest::grid_fixedCells_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("current"); // the table's current row
    QTest::newRow("empty") << 0 << -1;
    QTest::newRow("first of four") << 4 << 0;
    QTest::newRow("third of four") << 4 << 2;
}

void ViewsTest::grid_fixedCells()
{
    // The top-left cell is a fixed cell like the titles; the indicator column is dark green only
    // beside rows, and a triangle marks the current one.
    QFETCH(int, rows);
    QFETCH(int, current);
    auto table = manyTransactions(rows);
    views::TableModel model(*table, views::transactionGrid());
    views::DbGrid grid(&model);
    grid.resize(400, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    if (current >= 0)
        table->moveTo(current);

    auto* corner = grid.findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(corner && corner->isVisible());
    const QImage cornerImage = corner->grab().toImage();
    QCOMPARE(cornerImage.pixelColor(cornerImage.rect().center()), views::kFixedCellColour);

    QHeaderView* indicator = grid.verticalHeader();
    const QImage column = indicator->grab().toImage();
    const int h = views::DbGrid::kRowHeight;
    QSet<int> green;
    for (int y = 0; y < rows * h; ++y)
        green.insert(y);
    QCOMPARE(rowsWithColour(column, views::kFixedCellColour) - green, QSet<int>());
    const QSet<int> marked = rowsWithColour(column, views::kTitleTextColour);
    for (int row = 0; row < rows; ++row) {
        const bool hasMark = marked.contains(row * h + h / 2);
        QVERIFY2(hasMark == (row == current), qPrintable(QString::number(row)));
    }
    QVERIFY(rows > 0 || marked.isEmpty());
}

void ViewsTest::grid_scrolledToTheEndShowsWholeRows()
{
    auto table = manyTransactions(100);
    views::TableModel model(*table, views::transactionGrid());
    views::DbGrid grid(&model);
    views::DbNavigator navigator(*table);
    grid.resize(400, 200); // a viewport that is no whole number of rows high
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QVERIFY(grid.viewport()->height() % views::DbGrid::kRowHeight != 0);
    const auto topRowIsWhole = [&grid] {
        const int top = grid.rowAt(0);
        return top >= 0 && grid.rowViewportPosition(top) == 0;
    };
    QScrollBar* bar = grid.verticalScrollBar();

    navigator.click(views::DbNavigator::Last);
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(topRowIsWhole());
    QVERIFY(grid.rowViewportPosition(99) + grid.rowHeight(99) <= grid.viewport()->height());
    bar->setValue(bar->maximum() - 1);
    QVERIFY(topRowIsWhole());
    QCOMPARE(grid.rowAt(0), bar->maximum() - 1);
    bar->setValue(bar->maximum());
    QVERIFY(topRowIsWhole());
    grid.resize(400, 230); // a new height at the end keeps the rows whole
    QTRY_VERIFY(topRowIsWhole());
    QVERIFY(grid.rowViewportPosition(99) + grid.rowHeight(99) <= grid.viewport()->height());
}

QTEST_MAIN(ViewsTest)
#include "views_test.moc"
