// Start-up of the main window over large tables, painting the transaction grid from top to
// bottom, and an import of 100 000 lines through the window with its grids attached. Runs
// offscreen; the tables are filled once per run in a temporary folder.
#include "app/kolvaro1.h"
#include "bench/tab_files.h"
#include "store/table_names.h"
#include "tests/app/fake_dialogs.h"
#include "tests/app/table_filler.h"
#include "views/db_grid.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

constexpr int kTransactions = 100000;
constexpr int kRelationYears = 5000;

QTemporaryDir* g_dir = nullptr; // the filled folder of this run

void prepareTables()
{
    const QString tables = g_dir->filePath(QStringLiteral("tables"));
    filler::pointAliasAt(g_dir->path(), tables);
    filler::fillFolder(tables, kTransactions, kRelationYears);
}

void BM_StartupToShownWindow(benchmark::State& state)
{
    for (auto _ : state) {
        FakeDialogs dialogs;
        auto data = std::make_unique<store::TDataModule1>();
        auto form = std::make_unique<app::TForm1>(*data, dialogs);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()) || !dialogs.errors.isEmpty())
            state.SkipWithError("the window did not open cleanly");
        state.PauseTiming();
        form.reset();
        data.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToShownWindow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_ScrollTransactionGridTopToBottom(benchmark::State& state)
{
    FakeDialogs dialogs;
    store::TDataModule1 data;
    app::TForm1 form(data, dialogs);
    form.show();
    form.PageControl1->setCurrentIndex(1);
    if (!QTest::qWaitForWindowExposed(&form))
        state.SkipWithError("no window");
    QScrollBar* bar = form.RxDBGrid1->verticalScrollBar();
    QWidget* viewport = form.RxDBGrid1->viewport();
    QImage page(viewport->size(), QImage::Format_ARGB32_Premultiplied);
    int pages = 0;
    for (auto _ : state) {
        pages = 0;
        for (int value = 0;; value += bar->pageStep()) {
            bar->setValue(std::min(value, bar->maximum()));
            viewport->render(&page); // every visible cell of this page, painted now
            ++pages;
            if (value >= bar->maximum())
                break;
        }
        bar->setValue(0);
    }
    state.counters["rows"] = double(data.T1.recordCount());
    state.counters["pages"] = pages;
}
BENCHMARK(BM_ScrollTransactionGridTopToBottom)->Unit(benchmark::kMillisecond)->Iterations(3);

// "Inlezen TAB-file" into empty tables while the transactions page shows its grid.
void BM_ImportThroughWindow(benchmark::State& state)
{
    const QString file = benchdata::tabFile(QStringLiteral("kolvaro-sample-100k.tab"));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir home;
        qputenv("HOME", home.path().toUtf8());
        qputenv("KOLVARO_ENGINE_CONFIG", home.filePath(QStringLiteral("engine.ini")).toUtf8());
        FakeDialogs dialogs;
        dialogs.openFileName = file;
        auto data = std::make_unique<store::TDataModule1>();
        auto form = std::make_unique<app::TForm1>(*data, dialogs);
        form->show();
        form->PageControl1->setCurrentIndex(1);
        QApplication::processEvents();
        state.ResumeTiming();

        form->SRColorButton16Click();
        QApplication::processEvents(); // the grid's one repaint afterwards

        state.PauseTiming();
        if (!dialogs.errors.isEmpty() || data->T1.recordCount() != benchdata::kLines)
            state.SkipWithError("the import did not store every line");
        form.reset();
        data.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportThroughWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    prepareTables();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
