// The main window's buttons that run the import and the relation passes.
#include "app/kolvaro1.h"
#include "store/date_format.h"
#include "store/table_names.h"
#include "tests/app/fake_dialogs.h"
#include "tests/support/balance_tables.h"
#include "views/gradient_button.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace n = store::names;
using namespace Qt::StringLiterals;

class Form1HandlersTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void importThroughTheButton();
    void gapsNoticeFollowsTheStoredBalances();
    void importStopsAtABadLineKeepingTheLinesBefore();
    void cancellingTheFileDialogImportsNothing();
    void accountChoiceCountsAndTheRememberedSwitch();
    void relationButtonsCompleteAndFill();

private:
    QString writeTab(const QString& name, const QByteArray& lines);

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeDialogs m_dialogs;
};

namespace {

// A line as the bank writes it: seven tab-separated fields, then the description.
QByteArray line(const char* date, const char* amount, const char* description)
{
    return QByteArray("123456789\tEUR\t") + date + "\t0,00\t0,00\t" + date + '\t' + amount + '\t' +
           description + "\r\n";
}

} // namespace

void Form1HandlersTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("HOME", m_dir->filePath(u"home"_s).toUtf8());
    qputenv("KOLVARO_ENGINE_CONFIG", m_dir->filePath(u"engine.ini"_s).toUtf8());
    m_dialogs = FakeDialogs();
}

QString Form1HandlersTest::writeTab(const QString& name, const QByteArray& lines)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(lines) != lines.size())
        return {};
    return path;
}

void Form1HandlersTest::importThroughTheButton()
{
    QByteArray lines;
    for (int i = 0; i < 3; ++i)
        lines += line("20101231", "-12,5", "GIRO  1234567 J. JANSEN  HUUR DECEMBER");
    lines +=
        line("20110102", "100,00", "BEA   NR:AB12CD   02.01.11/10.15 SUPERMARKT DE HOEK,PAS123");
    m_dialogs.openFileName = writeTab(u"bank.tab"_s, lines);

    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    for (int press = 1; press <= 2; ++press) {
        form.SRColorButton16Click();
        QVERIFY2(m_dialogs.errors.isEmpty(), qPrintable(m_dialogs.errors.join(u'\n')));
        QCOMPARE(data.T1.recordCount(), 2); // the same line three times, and a second import
        QCOMPARE(data.T2.recordCount(), 2);
        QCOMPARE(form.Gauge1->value(), form.Gauge1->maximum());
        QCOMPARE(form.Gauge1->maximum(), int(lines.size() / 128));
    }
    QCOMPARE(m_dialogs.openFilter, u"TAB file (*.tab)"_s);
    data.T1.first();
    QCOMPARE(data.T1.fieldByName(n::kDatum).asDate(), QDate(2010, 12, 31));
    QCOMPARE(data.T1.fieldByName(n::kBedrag).asFloat(), -12.5);
    QCOMPARE(data.T1.fieldByName(n::kNaam).asString(), u"J. JANSEN"_s);
}

// The notice over the import and relations pages counts the periods the balances show
// missing, "Toon" lists them, and an import that fills one takes its line away.
void Form1HandlersTest::gapsNoticeFollowsTheStoredBalances()
{
    QString folder;
    {
        store::TDataModule1 data;
        app::TForm1 form(data, m_dialogs);
        QVERIFY(form.m_gapsNotice1.bar->isHidden()); // no balance fields: no notice
        folder = data.T1.directory();
    }
    QVERIFY(QFile::remove(folder + u"/mutaties.DBF"_s));
    {
        dbase::Table mutaties;
        mutaties.setDefinition(testsupport::mutatiesWithBalances());
        mutaties.setDirectory(folder);
        mutaties.open();
        const QDate d(2024, 3, 1);
        testsupport::addWithBalances(mutaties, d, -10.0, 100.0);
        testsupport::addWithBalances(mutaties, d.addDays(3), -1.0, 50.0); // -40 missing
        testsupport::addWithBalances(mutaties, d.addDays(9), 2.5, 60.0);  // 11 missing
        mutaties.close();
    }
    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    QVERIFY(m_dialogs.errors.isEmpty());
    for (const app::parts::ButtonNotice& notice : {form.m_gapsNotice1, form.m_gapsNotice2}) {
        QVERIFY(!notice.bar->isHidden());
        QCOMPARE(notice.text->text(), u"Er ontbreken boekingen: 2 perioden"_s);
        QCOMPARE(notice.button->text(), u"Toon"_s);
    }
    form.m_gapsNotice2.button->click();
    using store::datefmt::formatShortDate;
    const QDate d(2024, 3, 1);
    QCOMPARE(m_dialogs.messages,
             QStringList{u"Ontbrekende boekingen|tussen %1 en %2: -40,00 ontbreekt\n"
                         "tussen %2 en %3: 11,00 ontbreekt"_s.arg(formatShortDate(d),
                                                                  formatShortDate(d.addDays(3)),
                                                                  formatShortDate(d.addDays(9)))});
    QCOMPARE(form.m_balanceChartButton->text(), u"Saldo"_s);

    // What the import stores (the file dialog is cancelled here) is counted again after it.
    testsupport::addWithBalances(data.T1, d.addDays(2), -40.0, 90.0);
    form.SRColorButton16Click();
    QCOMPARE(form.m_gapsNotice1.text->text(), u"Er ontbreken boekingen: 1 periode"_s);
    testsupport::addWithBalances(data.T1, d.addDays(5), 11.0, 49.0);
    form.SRColorButton16Click();
    QVERIFY(form.m_gapsNotice1.bar->isHidden());
    QVERIFY(form.m_gapsNotice2.bar->isHidden());
}

void Form1HandlersTest::importStopsAtABadLineKeepingTheLinesBefore()
{
    m_dialogs.openFileName = writeTab(u"bad.tab"_s, line("20100105", "1,00", "ANDERS") +
                                                        line("20100106", "1.234,56", "ANDERS"));
    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    form.SRColorButton16Click();
    QCOMPARE(m_dialogs.errors, QStringList{u"'1.234,56' is not a valid floating point value"_s});
    QCOMPARE(data.T1.recordCount(), 1);
    QCOMPARE(form.Gauge1->value(), 0); // a file under 128 bytes keeps the gauge empty
}

void Form1HandlersTest::cancellingTheFileDialogImportsNothing()
{
    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    form.SRColorButton16Click();
    QVERIFY(m_dialogs.errors.isEmpty());
    QCOMPARE(data.T1.recordCount(), 0);
}

void Form1HandlersTest::accountChoiceCountsAndTheRememberedSwitch()
{
    const char* card = "BEA, Betaalpas                   BAKKERIJ HOEK,PAS123            "
                       "NR:TRM001, 05.01.26/12:34";
    QByteArray savings = line("20260107", "50,00", "RENTE");
    savings.replace(0, 9, "SPAAR-9");
    m_dialogs.openFileName = writeTab(u"two.tab"_s, line("20260105", "-3,50", card) + savings +
                                                        line("20260106", "-1,00", "KOSTEN"));
    {
        store::TDataModule1 data;
        app::TForm1 form(data, m_dialogs);
        QVERIFY(form.m_currentLayouts->isChecked()); // on until the user says otherwise
        form.SRColorButton16Click();                 // the question is cancelled
        QCOMPARE(m_dialogs.choiceItems,
                 (QStringList{u"123456789 (2 regels)"_s, u"SPAAR-9 (1 regel)"_s}));
        QCOMPARE(data.T1.recordCount(), 0);
        QCOMPARE(form.m_importCounts->text(), QString());

        m_dialogs.choice = 0;
        form.SRColorButton16Click();
        QVERIFY2(m_dialogs.errors.isEmpty(), qPrintable(m_dialogs.errors.join(u'\n')));
        QCOMPARE(form.m_importCounts->text(),
                 u"2 nieuw, 0 overgeslagen, 1 van een andere rekening; 2 saldo-fouten, eerste op "
                 u"regel 1"_s);
        data.T1.first();
        QCOMPARE(data.T1.fieldByName(n::kNaam).asString(), u"BAKKERIJ HOEK"_s);
        form.m_currentLayouts->setChecked(false);
        form.FormClose();
    }
    // A restart keeps the switch off; a file of one account asks nothing.
    m_dialogs = FakeDialogs();
    m_dialogs.openFileName = writeTab(u"one.tab"_s, line("20260108", "-4,50", card));
    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    QVERIFY(!form.m_currentLayouts->isChecked());
    form.SRColorButton16Click();
    QVERIFY(m_dialogs.choiceItems.isEmpty());
    // The fixture's balances (0,00 before and after) do not add up.
    QCOMPARE(form.m_importCounts->text(),
             u"1 nieuw, 0 overgeslagen; 1 saldo-fouten, eerste op regel 1"_s);
    data.T1.last();
    QCOMPARE(data.T1.fieldByName(n::kNaam).asString(), u"BAKKERIJ HOEK,PAS123"_s);
}

void Form1HandlersTest::relationButtonsCompleteAndFill()
{
    m_dialogs.openFileName = writeTab(u"bank.tab"_s, line("20100301", "100,00", "ANDERS") +
                                                         line("20100302", "-12,50", "ANDERS") +
                                                         line("20110301", "5,00", "ANDERS"));
    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    form.SRColorButton16Click();
    m_dialogs.answers = {true, true};
    form.SRColorButton7Click(); // "Legen Tabel" on the relations page
    QCOMPARE(form.Label9->text(), u"0"_s);

    form.SRColorButton9Click(); // nothing to fill without rows
    QCOMPARE(data.T2.recordCount(), 0);
    form.SRColorButton8Click();
    QCOMPARE(form.Label9->text(), u"2"_s);
    form.SRColorButton9Click();
    QVERIFY(m_dialogs.errors.isEmpty());
    data.T2.first();
    QCOMPARE(data.T2.fieldByName(n::kJaar).asString(), u"2010"_s);
    QCOMPARE(data.T2.fieldByName(n::kMonths[2]).asFloat(), 87.5);

    form.PageControl1->setCurrentIndex(3); // the month-totals page sums every year's rows
    QCOMPARE(form.Label17->text(), u"2"_s);
    QCOMPARE(form.StringGrid1->item(0, 0)->text(), QString());
    QCOMPARE(form.StringGrid1->item(0, 3)->text(), u"92,50"_s);
    QCOMPARE(form.StringGrid1->item(0, 1)->text(), u"0,00"_s);
}

QTEST_MAIN(Form1HandlersTest)
#include "form1_handlers_test.moc"
