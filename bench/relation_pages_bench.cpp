// The two pages over bedrijven in the real window, offscreen: "select" and "deselect" over every
// relation-year row until the grid has repainted (target: median <= 50 ms at 20 000 rows), and
// one keystroke in the month-totals page's jaar box until the count and the strip are written
// and the grid has repainted (targets: <= 25 ms at 20 000 rows, <= 100 ms at 100 000). Each
// size's tables are filled once per run in a temporary folder.
#include "bench/bench_window.h"
#include "store/table_names.h"
#include "viewlogic/filter/page_rows.h"
#include "views/filter_panel.h"
#include "views/gradient_button.h"

#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

// Alternately "select" and "deselect", so that every press writes every row.
void BM_SelectAllRows(benchmark::State& state)
{
    BenchWindow& w = benchWindow(100, int(state.range(0)));
    w.form->PageControl1->setCurrentIndex(2);
    QApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        (i++ % 2 == 0 ? w.form->SRColorButton1 : w.form->SRColorButton6)->click();
        QApplication::processEvents(); // the grid's one repaint
    }
    if (!w.dialogs.errors.isEmpty() || w.data->T2.position() != 0)
        state.SkipWithError("select did not run cleanly");
    state.counters["rows"] = w.data->T2.recordCount();
}
BENCHMARK(BM_SelectAllRows)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

// "201" in the jaar box, then alternately "2010" (a third of the rows) and back to "201" (all).
void BM_JaarKeystroke(benchmark::State& state)
{
    BenchWindow& w = benchWindow(100, int(state.range(0)));
    w.form->PageControl1->setCurrentIndex(3);
    QLineEdit* jaar = w.form->DBFilterPanel3->box(views::filter::kJaarLine, 0);
    jaar->setFocus();
    QTest::keyClicks(jaar, QStringLiteral("201"));
    QApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        QTest::keyClick(jaar, i++ % 2 == 0 ? Qt::Key_0 : Qt::Key_Backspace);
        QApplication::processEvents();
    }
    if (w.form->Label17->text() != QString::number(w.data->T2.recordCount()) ||
        w.form->StringGrid1->item(0, 1)->text().isEmpty() || !w.dialogs.errors.isEmpty())
        state.SkipWithError("count and strip do not follow the jaar box");
    state.counters["presented"] = w.data->T2.recordCount();
    w.form->SRColorButton19->click();
}
BENCHMARK(BM_JaarKeystroke)
    ->Arg(20000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv)
{
    return runWindowBenchmarks(argc, argv);
}
