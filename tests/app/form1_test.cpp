// The main window: start-up with and without an alias, failed starts, emptying, guard.
#include "app/kolvaro1.h"
#include "app/startup.h"
#include "charts/series/chart_list.h"
#include "store/dbase/alias_config.h"
#include "store/table_names.h"
#include "tests/app/fake_dialogs.h"
#include "tests/app/table_filler.h"
#include "views/clickable_image.h"
#include "views/db_grid.h"
#include "views/db_navigator.h"
#include "views/gradient_button.h"
#include "views/table_model.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace n = store::names;

class Form1Test : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void windowTitlePagesAndControls();
    void firstStartRegistersAlias_secondStartFindsItUnchanged();
    void existingAliasAtOtherPathIsUsedUnchanged();
    void failedStart_data();
    void failedStart();
    void damagedTableIsShownWithWhatItLost();
    void emptyTable_data();
    void emptyTable();
    void buttonsShowTheirWindowsModelessly();
    void closingFlushesAndClosesBothTables();
    void dutchTranslationsAreLoaded();
    void programIdentityAndIcon();

private:
    QString configFile() const { return m_dir->filePath(QStringLiteral("engine.ini")); }
    QString tablesFolder() const { return m_dir->filePath(QStringLiteral("home/KOLVARO")) + u'/'; }
    void registerAlias(const QString& path);
    QByteArray configHash() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeDialogs m_dialogs;
};

void Form1Test::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // The default alias path lies under HOME; keep it inside the test's folder.
    qputenv("HOME", m_dir->filePath(QStringLiteral("home")).toUtf8());
    qputenv("KOLVARO_ENGINE_CONFIG", configFile().toUtf8());
    m_dialogs = FakeDialogs();
}

void Form1Test::cleanup()
{
    m_dir.reset();
}

void Form1Test::registerAlias(const QString& path)
{
    dbase::AliasConfig config(configFile());
    config.setConfigMode(dbase::AliasConfig::Mode::Persistent);
    config.addStandardAlias(n::kAlias, path, QStringLiteral("DBASE"));
    config.saveConfig();
}

QByteArray Form1Test::configHash() const
{
    QFile file(configFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
}

void Form1Test::windowTitlePagesAndControls()
{
    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    QCOMPARE(form.windowTitle(), QStringLiteral("Financieel overzicht"));
    QCOMPARE(form.size(), QSize(1016, 661));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.PageControl1->count(), 6);
    const QStringList captions = {
        QStringLiteral("Inlezen data"),       QStringLiteral("Ingelezen mutaties"),
        QStringLiteral("Overzicht relaties"), QStringLiteral("Maandinkomsten-uitgaven"),
        QStringLiteral("Rubrieken"),          QStringLiteral("Vaste lasten")};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(form.PageControl1->tabText(i), captions[i]);
    QCOMPARE(form.PageControl1->currentIndex(), 0);
    QCOMPARE(form.CheckListBox1->count(), 25);
    QCOMPARE(form.CheckListBox1->item(0)->text(), QStringLiteral("2006"));
    QCOMPARE(form.CheckListBox1->item(24)->text(), QStringLiteral("2030"));
    QCOMPARE(form.SRColorButton5->text(), QStringLiteral("Legen Tabel"));
    QCOMPARE(form.SRColorButton5->faceColour(), QColor(0xD2, 0x00, 0x00));
    QCOMPARE(form.SRColorButton15->faceColour(), QColor(0xB3, 0xB3, 0x00));
    QCOMPARE(form.SRColorButton9->faceColour(), QColor(0x80, 0x80, 0xC0));
    QCOMPARE(form.RxDBGrid1->columnWidth(5), 850);
    QCOMPARE(form.RxDBGrid2->columnWidth(2), 180);
    QCOMPARE(form.RxDBGrid3->columnWidth(1), 191);
    QVERIFY(m_dialogs.errors.isEmpty());
}

void Form1Test::firstStartRegistersAlias_secondStartFindsItUnchanged()
{
    QVERIFY(!QFile::exists(configFile()));
    {
        store::TDataModule1 data;
        app::TForm1 form(data, m_dialogs);
        QVERIFY2(m_dialogs.errors.isEmpty(), qPrintable(m_dialogs.errors.join(u'\n')));
        QCOMPARE(form.Label3->text(), tablesFolder());
        QCOMPARE(form.tablesFolder(), tablesFolder());
        QVERIFY(data.T1.isOpen() && data.T2.isOpen());
    }
    dbase::AliasConfig config(configFile());
    QVERIFY(config.aliasExists(QStringLiteral("kolvaro")));
    QCOMPARE(config.aliasParam(n::kAlias, QStringLiteral("DEFAULT DRIVER")),
             QStringLiteral("DBASE"));
    QCOMPARE(QDir::cleanPath(config.aliasParam(n::kAlias, QStringLiteral("PATH"))),
             QDir::cleanPath(tablesFolder()));

    const QByteArray before = configHash();
    const QDateTime written = QFileInfo(configFile()).lastModified();
    store::TDataModule1 data;
    app::TForm1 second(data, m_dialogs);
    QVERIFY(m_dialogs.errors.isEmpty());
    QCOMPARE(configHash(), before);
    QCOMPARE(QFileInfo(configFile()).lastModified(), written);
    QCOMPARE(second.Label3->text(), tablesFolder());
}

void Form1Test::existingAliasAtOtherPathIsUsedUnchanged()
{
    const QString elsewhere = m_dir->filePath(QStringLiteral("elders"));
    filler::fillFolder(elsewhere, 5, 3);
    registerAlias(elsewhere);
    const QByteArray before = configHash();

    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    QVERIFY(m_dialogs.errors.isEmpty());
    QCOMPARE(configHash(), before);
    QCOMPARE(QDir::cleanPath(form.Label3->text()), QDir::cleanPath(elsewhere));
    QVERIFY(form.Label3->text().endsWith(u'/'));
    QCOMPARE(data.T1.recordCount(), 5);
    QCOMPARE(form.m_transactionModel->rowCount(), 5);
    QCOMPARE(form.m_relationModel->rowCount(), 3);
    QVERIFY(!QDir(tablesFolder()).exists()); // the default folder was never touched
}

void Form1Test::failedStart_data()
{
    QTest::addColumn<QString>("blocked"); // which table another program holds, or "file"
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("mutatiesOpen");
    QTest::newRow("mutaties locked")
        << QStringLiteral("mutaties") << QStringLiteral("is in use by another program") << false;
    QTest::newRow("bedrijven locked")
        << QStringLiteral("bedrijven") << QStringLiteral("is in use by another program") << true;
    QTest::newRow("folder is a file") << QStringLiteral("file") << QString() << false;
}

void Form1Test::failedStart()
{
    QFETCH(QString, blocked);
    QFETCH(QString, message);
    QFETCH(bool, mutatiesOpen);

    store::TDataModule1 other; // another program holding a table
    if (blocked == QStringLiteral("file")) {
        const QString file = m_dir->filePath(QStringLiteral("not-a-folder"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        registerAlias(file);
    } else {
        filler::fillFolder(tablesFolder(), 2, 2);
        other.setTablesFolder(tablesFolder());
        (blocked == n::kMutaties ? other.T1 : other.T2).open();
    }

    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form)); // the window opens all the same
    QCOMPARE(m_dialogs.errors.size(), 1);
    QVERIFY2(m_dialogs.errors[0].contains(message), qPrintable(m_dialogs.errors[0]));
    QCOMPARE(data.T1.isOpen(), mutatiesOpen);
    QVERIFY(!data.T2.isOpen());               // the step after the failure is skipped ...
    QCOMPARE(form.Label3->text(), QString()); // ... and so is the folder label

    // Later work on the closed table is reported with the engine's text; the program goes on.
    m_dialogs.errors.clear();
    form.SRColorButton7Click();
    QCOMPARE(m_dialogs.errors,
             QStringList{QStringLiteral("Cannot perform this operation on a closed dataset")});
    form.DBNavigator2->click(views::DbNavigator::Next);
    QCOMPARE(m_dialogs.errors.size(), 2);
    form.PageControl1->setCurrentIndex(2); // the page's count cannot be read either
    QCOMPARE(m_dialogs.errors.size(), 3);
    QCOMPARE(form.Label9->text(), QStringLiteral("0"));
    form.close(); // closing after a failed start still works
}

void Form1Test::damagedTableIsShownWithWhatItLost()
{
    filler::fillFolder(tablesFolder(), 4, 2);
    QFile mutaties(tablesFolder() + QStringLiteral("mutaties.DBF"));
    QVERIFY(mutaties.open(QIODevice::ReadWrite));
    mutaties.resize(mutaties.size() - 1); // the end marker and half of the last row go
    mutaties.resize(mutaties.size() - 100);
    mutaties.close();

    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    QCOMPARE(m_dialogs.errors.size(), 1);
    QVERIFY2(m_dialogs.errors[0].contains(QStringLiteral("the other 1 are lost")),
             qPrintable(m_dialogs.errors[0]));
    QVERIFY(data.T1.isOpen() && data.T2.isOpen()); // the start goes on
    QCOMPARE(data.T1.recordCount(), 3);
    QCOMPARE(form.Label3->text(), tablesFolder());
}

void Form1Test::emptyTable_data()
{
    QTest::addColumn<bool>("relations"); // which button: relations page, else transactions
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("transactionsLeft");
    QTest::addColumn<int>("relationsLeft");
    QTest::newRow("mutaties, No") << false << QList<bool>{false} << 1 << 6 << 4;
    QTest::newRow("mutaties, Yes then No") << false << QList<bool>{true, false} << 2 << 6 << 4;
    QTest::newRow("mutaties, Yes Yes") << false << QList<bool>{true, true} << 2 << 0 << 4;
    QTest::newRow("bedrijven, No") << true << QList<bool>{false} << 1 << 6 << 4;
    QTest::newRow("bedrijven, Yes Yes") << true << QList<bool>{true, true} << 2 << 6 << 0;
}

void Form1Test::emptyTable()
{
    QFETCH(bool, relations);
    QFETCH(QList<bool>, answers);
    QFETCH(int, questions);
    QFETCH(int, transactionsLeft);
    QFETCH(int, relationsLeft);

    filler::fillFolder(tablesFolder(), 6, 4);
    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    QLabel* count = relations ? form.Label9 : form.Label38;
    QCOMPARE(count->text(), QStringLiteral("0")); // as designed, until something counts
    m_dialogs.answers.assign(answers.begin(), answers.end());
    relations ? form.SRColorButton7Click() : form.SRColorButton5Click();

    QVERIFY2(m_dialogs.errors.isEmpty(), qPrintable(m_dialogs.errors.join(u'\n')));
    QCOMPARE(m_dialogs.questions.size(), questions);
    QCOMPARE(m_dialogs.questions[0],
             QStringLiteral("Bevestiging|Weet je wel zeker dat je de tabel wilt legen?"));
    if (questions == 2)
        QCOMPARE(m_dialogs.questions[1],
                 QStringLiteral("Waarschuwing|Tabel leeg maken?, weet je dat wel zeker??"));
    QVERIFY(data.T1.isOpen() && data.T2.isOpen());
    QVERIFY(!data.T1.exclusive() && !data.T2.exclusive());
    QCOMPARE(data.T1.recordCount(), transactionsLeft);
    QCOMPARE(data.T2.recordCount(), relationsLeft);
    // The count is written also after No.
    QCOMPARE(count->text(), QString::number(relations ? relationsLeft : transactionsLeft));
    QCOMPARE(form.m_transactionModel->rowCount(), transactionsLeft);
    QCOMPARE(form.m_relationModel->rowCount(), relationsLeft);
    QCOMPARE(form.m_monthModel->rowCount(), relationsLeft);

    // What was emptied stays empty on disk.
    data.T1.close();
    data.T2.close();
    data.T1.open();
    data.T2.open();
    QCOMPARE(data.T1.recordCount(), transactionsLeft);
    QCOMPARE(data.T2.recordCount(), relationsLeft);
}

void Form1Test::buttonsShowTheirWindowsModelessly()
{
    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    QWidget form2, form3, form4, form5;
    form.setShownWindows({&form4,
                          {{charts::kTransactionsChart, &form2},
                           {charts::kRelationsChart, &form3},
                           {charts::kMonthsChart, &form5}}});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.SRColorButton14->click(); // any of the four Help buttons
    QVERIFY(form4.isVisible() && !form4.isModal());
    // Each "Grafiek" button opens the chart of its page, and only that one.
    const struct
    {
        QAbstractButton* button;
        QWidget* window;
    } presses[] = {{form.SRColorButton12, &form2},
                   {form.SRColorButton13, &form3},
                   {form.SRColorButton18, &form5}};
    for (const auto& press : presses) {
        for (QWidget* window : {&form2, &form3, &form5})
            window->hide();
        press.button->click();
        for (QWidget* window : {&form2, &form3, &form5})
            QCOMPARE(window->isVisible(), window == press.window);
    }
    QTest::mouseClick(form.Image1, Qt::LeftButton);
    form.Image2Click();
    QCOMPARE(m_dialogs.calculatorShown, 2);
}

void Form1Test::closingFlushesAndClosesBothTables()
{
    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    filler::addTransactions(data.T1, 3);
    data.T2.append(); // a pending edit is posted on closing
    data.T2.fieldByName(n::kNaam).setAsString(QStringLiteral("OPEN RIJ"));
    form.show();
    form.close();
    QVERIFY(m_dialogs.errors.isEmpty());
    QVERIFY(!data.T1.isOpen() && !data.T2.isOpen());
    data.T1.open();
    data.T2.open();
    QCOMPARE(data.T1.recordCount(), 3);
    QCOMPARE(data.T2.recordCount(), 1);
}

void Form1Test::dutchTranslationsAreLoaded()
{
    QVERIFY(app::installDutchTranslations(*qApp));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&Nee"));
}

void Form1Test::programIdentityAndIcon()
{
    app::applyProgramIdentity(*qApp);
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("kolvaro"));
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("kolvaro"));
    // The pictures are linked in from a static library: each size must really be there.
    const QIcon icon = QApplication::windowIcon();
    for (int size : {16, 32, 256})
        QCOMPARE(icon.pixmap(size).size(), QSize(size, size));
    store::TDataModule1 data;
    app::TForm1 form(data, m_dialogs);
    QCOMPARE(form.windowIcon().cacheKey(), icon.cacheKey());
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
