// The page "Vaste lasten" in the real window, offscreen: shown after the transactions changed,
// until detection has run and both blocks are filled (target: median <= 600 ms at 100 000
// transactions, of which detection itself may take 500). The tables are filled once per run in a
// temporary folder.
#include "app/fixed_costs_model.h"
#include "app/fixed_costs_page.h"
#include "bench/bench_window.h"

#include <QApplication>
#include <QTabWidget>
#include <benchmark/benchmark.h>

namespace {

void BM_FixedCostsPageShownAfterAChange(benchmark::State& state)
{
    BenchWindow& w = benchWindow(int(state.range(0)), 100);
    auto* page = w.form->findChild<app::FixedCostsPage*>();
    const int before = page->detections();
    for (auto _ : state) {
        state.PauseTiming();
        w.form->PageControl1->setCurrentIndex(0);
        page->markStale();
        QApplication::processEvents();
        state.ResumeTiming();
        w.form->PageControl1->setCurrentWidget(page);
        QApplication::processEvents(); // the blocks' one repaint
    }
    if (!w.dialogs.errors.isEmpty() || page->detections() - before != int(state.iterations()))
        state.SkipWithError("the page did not detect once per show");
    state.counters["items"] = page->costsModel()->rowCount() + page->incomeModel()->rowCount();
}
BENCHMARK(BM_FixedCostsPageShownAfterAChange)
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
