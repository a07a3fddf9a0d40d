// Import of generated TAB files into real table files, as "Inlezen TAB-file" and
// `kolvaro-cli import` do it. The files come from gen_tab.py (100 000 lines, seed 1); they are
// generated once into the folder KOLVARO_BENCH_DATA (default: the system temp folder).
#include "import/import_run.h"
#include "store/data_module.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

constexpr int kLines = 100000;

// Path of a generated file; made on first use.
QString tabFile(const QString& name, const QStringList& extraArguments)
{
    const QByteArray folder = qgetenv("KOLVARO_BENCH_DATA");
    const QDir dir(folder.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(folder));
    const QString path = dir.filePath(name);
    if (QFileInfo::exists(path))
        return path;
    QProcess generator;
    generator.setStandardOutputFile(path);
    generator.start(QStringLiteral(KOLVARO_PYTHON),
                    QStringList{QStringLiteral(KOLVARO_GEN_TAB), QStringLiteral("--lines"),
                                QString::number(kLines), QStringLiteral("--seed"),
                                QStringLiteral("1")} +
                        extraArguments);
    if (!generator.waitForFinished(120000) || generator.exitCode() != 0) {
        QFile::remove(path);
        qFatal("gen_tab.py failed");
    }
    return path;
}

// Fresh, empty tables in a folder of their own.
struct Tables
{
    QTemporaryDir dir;
    store::TDataModule1 data;
    Tables()
    {
        data.setTablesFolder(dir.path());
        data.T1.open();
        data.T2.open();
    }
};

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
        auto tables = std::make_unique<Tables>();
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
    runImport(state, tabFile(QStringLiteral("kolvaro-bench-100k.tab"), {}), false);
}

void BM_ReImportAllDuplicates(benchmark::State& state)
{
    runImport(state, tabFile(QStringLiteral("kolvaro-bench-100k.tab"), {}), true);
}

void BM_ImportWithDuplicateFraction20(benchmark::State& state)
{
    runImport(state,
              tabFile(QStringLiteral("kolvaro-bench-100k-dup20.tab"),
                      {QStringLiteral("--dup-fraction"), QStringLiteral("0.2")}),
              false);
}

BENCHMARK(BM_FirstImport)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5);
BENCHMARK(BM_ReImportAllDuplicates)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5);
BENCHMARK(BM_ImportWithDuplicateFraction20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5);

} // namespace

BENCHMARK_MAIN();
