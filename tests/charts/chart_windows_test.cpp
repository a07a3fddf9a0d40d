// The three chart windows, offscreen: opening, what they show, reopening, hits and saving.
#include "charts/balance_chart.h"
#include "charts/category_chart.h"
#include "charts/chart_forms.h"
#include "charts/chart_windows.h"
#include "charts/month_chart.h"
#include "charts/transaction_chart.h"
#include "tests/support/tables.h"

#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace store::names;
using testsupport::Tables;

class ChartWindowsTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void everyChartOfTheListOpensInItsWindow();
    void transactionWindowChartsOnEachOpeningOnly();
    void crowdedBarsKeepTheirLabelsApartAndTheirTallestHit();
    void relationWindowTitlesItsYearsAndKeepsTheCursor();
    void monthWindowShowsBarsSideBySide();
    void savingWritesPngOrPdfAndReportsFailure();
    void balanceLineBreaksAtGapsWithTheirDatesInTheTooltip();
    void categoryBarsStackWithTheLargestAtTheBottom();

private:
    charts::ChartHooks hooks();
    void addRelationYear(Tables& t, const QString& naam, const QString& jaar, double jan);

    QStringList m_errors;
    QString m_saveAs;
};

void ChartWindowsTest::init()
{
    m_errors.clear();
    m_saveAs.clear();
}

charts::ChartHooks ChartWindowsTest::hooks()
{
    return {[this](const std::function<void()>& body) {
                try {
                    body();
                } catch (const std::exception& e) {
                    m_errors << QString::fromUtf8(e.what());
                }
            },
            [this](const QString&, const QString&) { return m_saveAs; }};
}

void ChartWindowsTest::addRelationYear(Tables& t, const QString& naam, const QString& jaar,
                                       double jan)
{
    t.addRelationYear(naam, jaar);
    t.bedrijven->edit();
    t.bedrijven->fieldByName(kSelect).setAsBoolean(true);
    t.bedrijven->fieldByName(kMonths[0]).setAsFloat(jan);
    t.bedrijven->post();
}

namespace {

QRect placeOf(const QString& chart)
{
    return charts::chartWindowNamed(chart)->chartPlace;
}

QPointF pixel(const QCustomPlot* plot, double key, double value)
{
    return {plot->xAxis->coordToPixel(key), plot->yAxis->coordToPixel(value)};
}

} // namespace

void ChartWindowsTest::everyChartOfTheListOpensInItsWindow()
{
    Tables t;
    t.addTransaction(QDate(2010, 1, 4), u"A"_s, -10.0);
    addRelationYear(t, u"A"_s, u"2010"_s, -50.0);
    for (const charts::ChartEntry& entry : charts::chartList()) {
        const charts::ChartWindowEntry* widgetSide = charts::chartWindowNamed(entry.name);
        QVERIFY2(widgetSide, qPrintable(entry.name));
        dbase::Table& table =
            entry.table == charts::ChartTable::Mutaties ? *t.mutaties : *t.bedrijven;
        int tickedAsked = 0;
        charts::ChartWindow window(
            entry.name, table,
            [&tickedAsked] {
                ++tickedAsked;
                return QStringList{u"2010"_s};
            },
            hooks(), nullptr);
        QVERIFY(!window.isVisible());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), entry.title);
        QCOMPARE(window.size(), widgetSide->clientSize);
        QCOMPARE(window.plot()->geometry(), widgetSide->chartPlace);
        QCOMPARE(tickedAsked, entry.usesTickedYears ? 1 : 0);
    }
    QVERIFY(m_errors.isEmpty());
}

void ChartWindowsTest::transactionWindowChartsOnEachOpeningOnly()
{
    Tables t;
    t.addTransaction(QDate(2010, 1, 4), u"A"_s, -10.0);
    t.addTransaction(QDate(2010, 1, 9), u"B"_s, 20.0);
    t.addTransaction(QDate(2010, 2, 1), u"C"_s, -30.0);
    t.mutaties->first();
    charts::TForm2 form(*t.mutaties, hooks(), nullptr);
    QVERIFY(!form.isVisible());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), u"Grafische voorstelling"_s);
    QCOMPARE(form.Chart1->geometry(), placeOf(charts::kTransactionsChart));
    QCOMPARE(form.Chart1->series()->size(), 3u);
    QCOMPARE(form.Chart1->outgoingLine()->data()->at(2)->value, 20.0);
    QCOMPARE(form.Chart1->incomingLine()->data()->at(0)->value, 0.0);
    QCOMPARE(t.mutaties->position(), 2);

    const std::optional<charts::ChartPlot::BarText> bar =
        form.Chart1->barAt(pixel(form.Chart1, 1.0, 10.0));
    QVERIFY(bar);
    QCOMPARE(charts::ChartPlot::tooltipText(*bar),
             store::datefmt::formatShortDate(QDate(2010, 1, 9)) + u": 20,00"_s);
    QVERIFY(!form.Chart1->barAt(pixel(form.Chart1, 1.0, 25.0)));  // above the bar
    QVERIFY(!form.Chart1->barAt(pixel(form.Chart1, 1.45, 10.0))); // between two bars

    // A press while open only raises the window; reopening charts afresh, without doubling.
    t.addTransaction(QDate(2010, 3, 1), u"D"_s, 5.0);
    form.show();
    QCOMPARE(form.Chart1->series()->size(), 3u);
    form.hide();
    form.show();
    QCOMPARE(form.Chart1->series()->size(), 4u);
    QCOMPARE(form.Chart1->outgoingLine()->dataCount(), 4);

    form.resize(form.size() + QSize(100, 50)); // the chart keeps its distance to every edge
    QCOMPARE(form.Chart1->geometry().size(),
             placeOf(charts::kTransactionsChart).size() + QSize(100, 50));
    QVERIFY(m_errors.isEmpty());
}

void ChartWindowsTest::crowdedBarsKeepTheirLabelsApartAndTheirTallestHit()
{
    auto series = std::make_shared<charts::TransactionSeries>();
    for (int i = 0; i < 20000; ++i) {
        series->values.push_back(i == 12345 ? 1000.0 : double(i % 50));
        series->dates.push_back(QDate(2000, 1, 1).addDays(i));
        series->outgoing.push_back(i % 3 == 0);
        series->outgoingAverage.push_back(20.0);
        series->incomingAverage.push_back(30.0);
    }
    QWidget window;
    auto* chart = new charts::TransactionChart(&window);
    chart->setGeometry(0, 0, 1013, 658);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    chart->setSeries(series);

    const QPointF tall = pixel(chart, 12345.0, 900.0);
    const std::optional<charts::ChartPlot::BarText> bar = chart->barAt(tall);
    QVERIFY(bar);
    QCOMPARE(bar->value, 1000.0);

    const int labelHeight = QFontMetrics(chart->xAxis->tickLabelFont()).height();
    for (const int width : {1013, 640}) {
        chart->resize(width, 658); // replots at once, for the new width
        const QVector<double> ticks = chart->xAxis->tickVector();
        QVERIFY2(ticks.size() >= width / (2 * labelHeight), "as many labels as fit");
        for (qsizetype i = 1; i < ticks.size(); ++i)
            QVERIFY(chart->xAxis->coordToPixel(ticks[i]) -
                        chart->xAxis->coordToPixel(ticks[i - 1]) >=
                    labelHeight);
    }
}

void ChartWindowsTest::relationWindowTitlesItsYearsAndKeepsTheCursor()
{
    Tables t;
    addRelationYear(t, u"A"_s, u"2009"_s, -40.0);
    addRelationYear(t, u"B"_s, u"2009"_s, 15.0);
    addRelationYear(t, u"C"_s, u"2010"_s, 99.0);
    t.bedrijven->moveTo(1);
    QStringList ticked = {u"2009"_s};
    charts::TForm3 form(
        *t.bedrijven, [&ticked] { return ticked; }, hooks(), nullptr);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    const std::vector<QCPAbstractPlottable*>& p = form.Chart1->plottables();
    QCOMPARE(p.size(), 6u);
    QCOMPARE(p[0]->name(), u"2009"_s);
    QCOMPARE(p[1]->name(), u"0000"_s);
    QCOMPARE(p[3]->name(), u"gemid"_s);
    QCOMPARE(form.Chart1->legend->itemCount(), 6);
    auto* bars = qobject_cast<QCPBars*>(p[0]);
    QCOMPARE(bars->data()->size(), 12);
    QCOMPARE(bars->data()->at(0)->value, 25.0);
    QCOMPARE(t.bedrijven->position(), 1);

    ticked = QStringList{u"2010"_s};
    form.hide();
    form.show();
    QCOMPARE(p[0]->name(), u"2010"_s);
    QCOMPARE(bars->data()->size(), 12);
    QCOMPARE(bars->data()->at(0)->value, 99.0);

    // A failing read: reported, the titles stand, no points.
    t.bedrijven->close();
    form.hide();
    form.show();
    QCOMPARE(m_errors, QStringList{u"Cannot perform this operation on a closed dataset"_s});
    QCOMPARE(p[0]->name(), u"2010"_s);
    QCOMPARE(bars->data()->size(), 0);
}

void ChartWindowsTest::monthWindowShowsBarsSideBySide()
{
    Tables t;
    addRelationYear(t, u"A"_s, u"2010"_s, -50.0);
    addRelationYear(t, u"B"_s, u"2010"_s, 80.0);
    addRelationYear(t, u"C"_s, u"2011"_s, -20.0);
    charts::TForm5 form(*t.bedrijven, hooks(), nullptr);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.Chart1->geometry(), placeOf(charts::kMonthsChart));
    QCOMPARE(form.Chart1->legend->itemCount(), 3);

    // January's slot: expenses left of its centre, income right of it.
    const auto left = form.Chart1->barAt(pixel(form.Chart1, -0.2, 10.0));
    const auto right = form.Chart1->barAt(pixel(form.Chart1, 0.2, 10.0));
    QVERIFY(left && right);
    QCOMPARE(charts::ChartPlot::tooltipText(*left), u"jan: 70,00"_s);
    QCOMPARE(charts::ChartPlot::tooltipText(*right), u"jan: 80,00"_s);
    QVERIFY(!form.Chart1->barAt(pixel(form.Chart1, 1.2, 10.0))); // February is empty
    auto* line = qobject_cast<QCPGraph*>(form.Chart1->plottables()[2]);
    QCOMPARE(line->data()->at(0)->value, 10.0);
    form.hide();
    form.show();
    QCOMPARE(line->dataCount(), 12);
    QVERIFY(m_errors.isEmpty());
}

void ChartWindowsTest::savingWritesPngOrPdfAndReportsFailure()
{
    Tables t;
    addRelationYear(t, u"A"_s, u"2010"_s, -50.0);
    charts::TForm5 form(*t.bedrijven, hooks(), nullptr);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTemporaryDir dir;
    const struct
    {
        QString name;
        QByteArray magic;
    } files[] = {{u"chart.png"_s, "\x89PNG"}, {u"chart.PDF"_s, "%PDF"}};
    for (const auto& file : files) {
        m_saveAs = dir.filePath(file.name);
        form.Chart1->saveImage();
        QFile saved(m_saveAs);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.read(4), file.magic);
    }
    m_saveAs.clear(); // cancelled
    form.Chart1->saveImage();
    QVERIFY(m_errors.isEmpty());
    m_saveAs = dir.filePath(u"missing/chart.png"_s);
    form.Chart1->saveImage();
    QCOMPARE(m_errors, QStringList{u"Cannot create file "_s + QDir::toNativeSeparators(m_saveAs)});
}

void ChartWindowsTest::balanceLineBreaksAtGapsWithTheirDatesInTheTooltip()
{
    charts::BalanceChart chart;
    chart.resize(placeOf(charts::kBalanceChart).size());
    std::vector<charts::Series> series(2);
    series[0].points = {
        {95.0, u"2024-03-01"_s, 0}, {75.0, u"2024-03-02"_s, 0}, {1275.5, u"2024-03-06"_s, 0}};
    series[1].points = {{1200.0, u"2024-03-02/2024-03-06"_s, 0}};
    chart.setSeries(series);
    chart.replot();
    const auto key = [](const QDate& d) { return QCPAxisTickerDateTime::dateTimeToKey(d); };
    QCOMPARE(chart.line()->dataCount(), 4); // the break between the second and third day
    QVERIFY(std::isnan(chart.line()->data()->at(2)->value));
    QCOMPARE(chart.marks()->dataCount(), 1);
    using store::datefmt::formatShortDate;
    const QDate second(2024, 3, 2), sixth(2024, 3, 6);
    auto tooltip = [&](double k, double value) {
        const auto bar = chart.barAt(pixel(&chart, k, value));
        return bar ? charts::ChartPlot::tooltipText(*bar) : QString();
    };
    QCOMPARE(tooltip(key(sixth), 1275.5), formatShortDate(sixth) + u": 1.275,50"_s);
    QCOMPARE(tooltip(chart.marks()->data()->at(0)->key, chart.marks()->data()->at(0)->value),
             u"Ontbrekende boekingen tussen %1 en %2: 1.200,00"_s.arg(formatShortDate(second),
                                                                      formatShortDate(sixth)));
    chart.setSeries({});
    QCOMPARE(chart.line()->dataCount(), 0);
}

void ChartWindowsTest::categoryBarsStackWithTheLargestAtTheBottom()
{
    const auto series = [](const QString& title, charts::Rgb colour, double jan, double feb) {
        charts::Series s;
        s.title = title;
        s.colour = colour;
        for (int m = 1; m <= 12; ++m)
            s.points.push_back({m == 1   ? jan
                                : m == 2 ? feb
                                         : 0.0,
                                u"2024-%1"_s.arg(m, 2, 10, QChar(u'0')), colour});
        return s;
    };
    charts::CategoryChart chart;
    chart.resize(800, 500);
    chart.setSeries({series(u"Wonen"_s, 0x1F77B4, 500.0, 480.0),
                     series(u"Boodschappen"_s, 0xFF7F0E, 60.0, 0.0),
                     series(u"Overige rubrieken"_s, 0x9E9E9E, 25.0, 5.0)});
    chart.replot();
    QCOMPARE(chart.bars().size(), 3u);
    QCOMPARE(chart.bars()[1]->barBelow(), chart.bars()[0]);
    QCOMPARE(chart.bars()[2]->barBelow(), chart.bars()[1]);
    QCOMPARE(chart.title()->text(), u"Rubrieken per maand 2024"_s);
    // The legend reads top down as the parts stand.
    QCOMPARE(chart.legend->itemCount(), 3);
    QCOMPARE(static_cast<QCPPlottableLegendItem*>(chart.legend->item(0))->plottable()->name(),
             u"Overige rubrieken"_s);
    QVERIFY(chart.yAxis->range().upper >= 585.0);
    const struct
    {
        double key, value;
        QString tooltip;
    } cases[] = {
        {0.0, 250.0, u"Wonen, jan: 500,00"_s},
        {0.0, 530.0, u"Boodschappen, jan: 60,00"_s},
        {1.0, 483.5, u"Overige rubrieken, feb: 5,00"_s},
    };
    for (const auto& c : cases) {
        const auto bar = chart.barAt(pixel(&chart, c.key, c.value));
        QVERIFY2(bar, qPrintable(c.tooltip));
        QCOMPARE(charts::ChartPlot::tooltipText(*bar), c.tooltip);
    }
    chart.setSeries({});
    QCOMPARE(chart.legend->itemCount(), 0);
    QCOMPARE(chart.title()->text(), u"Rubrieken per maand"_s);
}

QTEST_MAIN(ChartWindowsTest)
#include "chart_windows_test.moc"
