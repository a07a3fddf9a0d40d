#include "bench/bench_window.h"

#include "tests/app/table_filler.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<BenchWindow> g_window;

} // namespace

BenchWindow& benchWindow(int transactions, int relationYears, bool* opened)
{
    const bool reuse = g_window && g_window->transactions == transactions &&
                       g_window->relationYears == relationYears;
    if (opened)
        *opened = !reuse;
    if (reuse)
        return *g_window;
    g_window.reset();
    auto w = std::make_unique<BenchWindow>();
    w->transactions = transactions;
    w->relationYears = relationYears;
    const QString tables = w->dir.filePath(QStringLiteral("tables"));
    filler::pointAliasAt(w->dir.path(), tables);
    filler::fillFolder(tables, transactions, relationYears);
    w->data = std::make_unique<store::TDataModule1>();
    w->form = std::make_unique<app::TForm1>(*w->data, w->dialogs);
    w->form->show();
    if (!QTest::qWaitForWindowExposed(w->form.get()))
        qFatal("the window did not open");
    g_window = std::move(w);
    return *g_window;
}

int runWindowBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    return 0;
}
