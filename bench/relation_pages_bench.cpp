// The two pages over bedrijven in the real window, offscreen: "select" and "deselect" over every
// relation-year row until the grid has repainted (target: median <= 50 ms at 20 000 rows), and
// one keystroke in the month-totals page's jaar box until the count and the strip are written
// and the grid has repainted (targets: <= 25 ms at 20 000 rows, <= 100 ms at 100 000). Each
// size's tables are filled once per run in a temporary folder.
#include "app/kolvaro1.h"
#include "store/table_names.h"
#include "tests/app/fake_dialogs.h"
#include "tests/app/table_filler.h"
#include "views/filter/page_rows.h"
#include "views/filter_panel.h"
#include "views/gradient_button.h"

#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct Window
{
    int rows = 0;
    QTemporaryDir dir;
    FakeDialogs dialogs;
    std::unique_ptr<store::TDataModule1> data;
    std::unique_ptr<app::TForm1> form;
};

std::unique_ptr<Window> g_window; // one size at a time

Window& window(int relationYears)
{
    if (g_window && g_window->rows == relationYears)
        return *g_window;
    g_window.reset();
    auto w = std::make_unique<Window>();
    w->rows = relationYears;
    const QString tables = w->dir.filePath(QStringLiteral("tables"));
    filler::pointAliasAt(w->dir.path(), tables);
    filler::fillFolder(tables, 100, relationYears);

    w->data = std::make_unique<store::TDataModule1>();
    w->form = std::make_unique<app::TForm1>(*w->data, w->dialogs);
    w->form->show();
    if (!QTest::qWaitForWindowExposed(w->form.get()))
        qFatal("the window did not open");
    g_window = std::move(w);
    return *g_window;
}

// Alternately "select" and "deselect", so that every press writes every row.
void BM_SelectAllRows(benchmark::State& state)
{
    Window& w = window(int(state.range(0)));
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
    Window& w = window(int(state.range(0)));
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    return 0;
}
