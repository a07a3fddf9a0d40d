// The grids' answers: a click on the "Bedrag" title of the transaction grid over 1 000 000 rows
// until the sorted grid is shown (target <= 1 s), the sort order alone, and kolvaro-cli export
// of 100 000 transactions (target <= 1 s). Runs offscreen; the tables are filled once per size.
#include "bench/bench_window.h"
#include "store/table_names.h"
#include "viewlogic/sort_order.h"
#include "views/db_grid.h"
#include "views/table_model.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTabWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int kBedragColumn = 2; // of the transaction grid

BenchWindow& transactionsPage(int rows)
{
    bool opened = false;
    BenchWindow& w = benchWindow(rows, 100, &opened);
    if (opened) {
        w.form->PageControl1->setCurrentIndex(1);
        QApplication::processEvents();
    }
    return w;
}

// Ascending, then descending: each click orders every row anew and repaints; an iteration is the
// two clicks.
void BM_SortByAmountClick(benchmark::State& state)
{
    BenchWindow& w = transactionsPage(int(state.range(0)));
    views::DbGrid* grid = w.form->RxDBGrid1;
    for (auto _ : state) {
        state.PauseTiming();
        grid->tableModel()->sortBy(kBedragColumn, std::nullopt);
        QApplication::processEvents();
        state.ResumeTiming();
        grid->titleClicked(kBedragColumn);
        QApplication::processEvents();
        grid->titleClicked(kBedragColumn);
        QApplication::processEvents();
    }
    if (grid->tableModel()->sortOrder() != Qt::DescendingOrder || !w.dialogs.errors.isEmpty())
        state.SkipWithError("the grid is not sorted");
    grid->tableModel()->sortBy(kBedragColumn, std::nullopt);
}
BENCHMARK(BM_SortByAmountClick)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

void BM_SortOrderOfAmounts(benchmark::State& state)
{
    BenchWindow& w = transactionsPage(int(state.range(0)));
    const dbase::Table& table = w.data->T1;
    const int bedrag = table.fieldIndex(store::names::kBedrag);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            views::sortedPositions(table, bedrag, views::Display::Amount, false));
}
BENCHMARK(BM_SortOrderOfAmounts)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Texts go by the locale's collation: what a keystroke in a filter box costs on top of its
// re-filtering while the grid is sorted by relation.
void BM_SortOrderOfNames(benchmark::State& state)
{
    BenchWindow& w = transactionsPage(int(state.range(0)));
    const dbase::Table& table = w.data->T1;
    const int naam = table.fieldIndex(store::names::kNaam);
    for (auto _ : state)
        benchmark::DoNotOptimize(views::sortedPositions(table, naam, views::Display::Text, false));
}
BENCHMARK(BM_SortOrderOfNames)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// kolvaro-cli export, the whole program: start, open both tables, write the file.
void BM_CliExport(benchmark::State& state)
{
    BenchWindow& w = transactionsPage(int(state.range(0)));
    const QString tables = w.dir.filePath(QStringLiteral("tables"));
    const QString csv = w.dir.filePath(QStringLiteral("mutaties.csv"));
    for (auto _ : state) {
        QProcess cli;
        cli.start(QStringLiteral(KOLVARO_CLI),
                  {QStringLiteral("--tables"), tables, QStringLiteral("export"),
                   QStringLiteral("mutaties"), QStringLiteral("--csv"), csv});
        if (!cli.waitForFinished(-1) || cli.exitCode() != 0) {
            state.SkipWithError("kolvaro-cli export failed");
            break;
        }
    }
    state.counters["MB"] = double(QFileInfo(csv).size()) / 1e6;
}
BENCHMARK(BM_CliExport)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv)
{
    return runWindowBenchmarks(argc, argv);
}
