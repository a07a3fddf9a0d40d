// Import of generated TAB files into real table files, as "Inlezen TAB-file" and
// `kolvaro-cli import` do it, and the generator of those files. The files come from the sample
// generator (100 000 lines, seed 1); they are made once into the folder KOLVARO_BENCH_DATA
// (default: the system temp folder).
#include "bench/fresh_runs.h"
#include "bench/tab_files.h"
#include "import/import_run.h"
#include "sample/sample_tab.h"
#include "store/data_module.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

using benchdata::kLines;
using benchdata::tabFile;

// Fresh, empty tables in a folder of their own.
void report(benchmark::State& state)
{
    state.counters["lines/s"] =
        benchmark::Counter(kLines, benchmark::Counter::kIsIterationInvariantRate);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void runImport(benchmark::State& state, const QString& file, bool preload)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto tables = std::make_unique<benchdata::FreshTables>();
        if (preload)
            import::ImportRun(tables->data.T1, tables->data.T2).run(file);
        state.ResumeTiming();

        const import::ImportCounts counts =
            import::ImportRun(tables->data.T1, tables->data.T2).run(file);
        benchmark::DoNotOptimize(counts);

        state.PauseTiming();
        tables.reset();
        state.ResumeTiming();
    }
    report(state);
}

void BM_FirstImport(benchmark::State& state)
{
    runImport(state, tabFile(QStringLiteral("kolvaro-sample-100k.tab")), false);
}

// The same transactions written in the old layouts and in today's, read in one run: today's
// layouts are read from the whole line and with both readings for the duplicate test.
void BM_FirstImportClassicLayouts(benchmark::State& state)
{
    runImport(state,
              tabFile(QStringLiteral("kolvaro-sample-100k.tab"), 0, sample::SampleLayout::Classic),
              false);
}

void BM_FirstImportCurrentLayouts(benchmark::State& state)
{
    runImport(state,
              tabFile(QStringLiteral("kolvaro-sample-100k.tab"), 0, sample::SampleLayout::Current),
              false);
}

void BM_ReImportAllDuplicates(benchmark::State& state)
{
    runImport(state, tabFile(QStringLiteral("kolvaro-sample-100k.tab")), true);
}

void BM_ImportWithDuplicateFraction20(benchmark::State& state)
{
    runImport(state, tabFile(QStringLiteral("kolvaro-sample-100k-dup20.tab"), 0.2), false);
}

// `kolvaro-cli sample --lines 100000` without the writing.
void BM_SampleTab(benchmark::State& state)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        sample::SampleOptions options;
        options.lines = kLines;
        sample::writeSampleTab(options, [&](QByteArrayView chunk) { bytes += chunk.size(); });
    }
    state.counters["lines/s"] =
        benchmark::Counter(kLines, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = double(bytes) / 1e6;
}

BENCHMARK(BM_SampleTab)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_FirstImport)->Apply(benchdata::wholeRuns);
BENCHMARK(BM_FirstImportClassicLayouts)->Apply(benchdata::wholeRuns);
BENCHMARK(BM_FirstImportCurrentLayouts)->Apply(benchdata::wholeRuns);
BENCHMARK(BM_ReImportAllDuplicates)->Apply(benchdata::wholeRuns);
BENCHMARK(BM_ImportWithDuplicateFraction20)->Apply(benchdata::wholeRuns);

} // namespace

BENCHMARK_MAIN();
