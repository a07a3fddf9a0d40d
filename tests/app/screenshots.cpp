// Starts the main window over a filled tables folder and saves a PNG of each page, plus the
// calculator. Usage: kolvaro-screenshots OUTDIR TABLESDIR (the engine configuration comes from
// KOLVARO_ENGINE_CONFIG; the alias is pointed at TABLESDIR when missing).
#include "app/dialogs.h"
#include "app/kolvaro1.h"
#include "app/startup.h"
#include "store/dbase/alias_config.h"
#include "store/table_names.h"
#include "tests/app/table_filler.h"
#include "views/calculator_dialog.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

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
    for (int page = 0; page < form.PageControl1->count(); ++page) {
        form.PageControl1->setCurrentIndex(page);
        QTest::qWait(100);
        const QString file = QDir(out).filePath(QStringLiteral("page-%1.png").arg(page));
        if (!form.grab().save(file))
            return 1;
        std::printf("%s\n", qPrintable(file));
    }
    views::CalculatorDialog calculator(&form);
    for (QChar key : QStringLiteral("1234,5*2"))
        calculator.press(key);
    calculator.show();
    QTest::qWait(100);
    calculator.grab().save(QDir(out).filePath(QStringLiteral("calculator.png")));
    return 0;
}
