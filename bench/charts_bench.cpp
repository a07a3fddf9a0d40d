// The chart windows from the press of "Grafiek" until the chart is painted, over tables of
// 100 000 and 1 000 000 transactions and 20 000 relation-year rows, with the program's peak
// memory; and kolvaro-cli drawing the transaction chart to a PNG. Runs offscreen. The tables are
// filled by a child run of this program (so that filling does not count in the peak memory) and
// kept in KOLVARO_BENCH_DATA (default: the system temp folder) for later runs.
#include "app/kolvaro1.h"
#include "app/startup.h"
#include "charts/chart_forms.h"
#include "charts/month_chart.h"
#include "charts/transaction_chart.h"
#include "store/dbase/alias_config.h"
#include "store/table_names.h"
#include "tests/app/fake_dialogs.h"
#include "tests/app/table_filler.h"
#include "views/gradient_button.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

constexpr int kRelationYears = 20000;

// Resident and peak resident memory of this process in MiB (Linux; 0 elsewhere).
double memoryMiB(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(std::strlen(key))).trimmed().split(' ').front().toDouble() / 1024;
    return 0;
}

QString benchFolder(int transactions, int relationYears)
{
    const QByteArray data = qgetenv("KOLVARO_BENCH_DATA");
    const QDir root(data.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(data));
    const QString folder =
        root.filePath(QStringLiteral("kolvaro-charts-%1-%2").arg(transactions).arg(relationYears));
    const QString done = QDir(folder).filePath(QStringLiteral("filled"));
    if (QFile::exists(done))
        return folder;
    QDir(folder).removeRecursively();
    QProcess filler;
    filler.setProcessChannelMode(QProcess::ForwardedChannels);
    filler.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--fill"), folder, QString::number(transactions),
                  QString::number(relationYears)});
    if (!filler.waitForFinished(-1) || filler.exitCode() != 0)
        qFatal("filling the benchmark tables failed");
    QFile(done).open(QIODevice::WriteOnly);
    return folder;
}

// The years the filler writes, ticked in the year list.
QStringList filledYears()
{
    return {QStringLiteral("2010"), QStringLiteral("2011"), QStringLiteral("2012")};
}

// The program as the user has it: main window on the transactions page, the chart windows
// hidden, over a tables folder.
struct Program
{
    explicit Program(const QString& folder) : alias(pointAliasAt(folder))
    {
        if (!data.T1.isOpen() || !data.T2.isOpen())
            qFatal("the benchmark tables did not open");
        form1.PageControl1->setCurrentIndex(1);
        form1.setShownWindows({nullptr,
                               {{charts::kTransactionsChart, &form2},
                                {charts::kRelationsChart, &form3},
                                {charts::kMonthsChart, &form5}}});
        form1.show();
        if (!QTest::qWaitForWindowExposed(&form1))
            qFatal("the main window did not open");
    }

    // The main window opens the tables of the alias: a configuration of this folder's own.
    static bool pointAliasAt(const QString& folder)
    {
        qputenv("KOLVARO_ENGINE_CONFIG",
                QDir(folder).filePath(QStringLiteral("engine.ini")).toUtf8());
        dbase::AliasConfig config;
        config.setConfigMode(dbase::AliasConfig::Mode::Persistent);
        if (!config.aliasExists(store::names::kAlias)) {
            config.addStandardAlias(store::names::kAlias, folder, QStringLiteral("DBASE"));
            config.saveConfig();
        }
        return true;
    }

    bool alias;
    FakeDialogs dialogs;
    store::TDataModule1 data;
    app::TForm1 form1{data, dialogs};
    charts::ChartHooks hooks = app::chartHooks(dialogs);
    charts::TForm2 form2{data.T1, hooks, &form1};
    charts::TForm3 form3{data.T2, [] { return filledYears(); }, hooks, &form1};
    charts::TForm5 form5{data.T2, hooks, &form1};
};

// Press, wait until the window is painted, close it again outside the timing.
void pressToPainted(benchmark::State& state, Program& program, QAbstractButton* button,
                    QWidget& window)
{
    for (auto _ : state) {
        button->click();
        if (!QTest::qWaitForWindowExposed(&window))
            state.SkipWithError("the chart window did not open");
        QApplication::processEvents();
        state.PauseTiming();
        window.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (!program.dialogs.errors.isEmpty())
        state.SkipWithError("the chart reported an error");
}

void BM_TransactionChart(benchmark::State& state)
{
    const int transactions = int(state.range(0));
    Program program(benchFolder(transactions, 0));
    state.counters["rss_before_MiB"] = memoryMiB("VmRSS:");
    pressToPainted(state, program, program.form1.SRColorButton12, program.form2);
    if (program.form2.Chart1->series()->size() != std::size_t(transactions))
        state.SkipWithError("not every transaction became a bar");
    state.counters["rss_MiB"] = memoryMiB("VmRSS:");
    state.counters["peak_rss_MiB"] = memoryMiB("VmHWM:");
}
BENCHMARK(BM_TransactionChart)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_RelationYearChart(benchmark::State& state)
{
    Program program(benchFolder(0, kRelationYears));
    pressToPainted(state, program, program.form1.SRColorButton13, program.form3);
}
BENCHMARK(BM_RelationYearChart)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_MonthChart(benchmark::State& state)
{
    Program program(benchFolder(0, kRelationYears));
    pressToPainted(state, program, program.form1.SRColorButton18, program.form5);
}
BENCHMARK(BM_MonthChart)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The whole run of kolvaro-cli, from start to the written file.
void BM_CliTransactionPng(benchmark::State& state)
{
    const QString folder = benchFolder(100000, 0);
    const QString png = QDir(folder).filePath(QStringLiteral("chart.png"));
    for (auto _ : state) {
        QProcess cli;
        cli.start(QStringLiteral(KOLVARO_CLI),
                  {QStringLiteral("--tables"), folder, QStringLiteral("chart"),
                   QStringLiteral("transactions"), QStringLiteral("--png"), png});
        if (!cli.waitForFinished(-1) || cli.exitCode() != 0)
            state.SkipWithError("kolvaro-cli failed");
    }
}
BENCHMARK(BM_CliTransactionPng)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--fill") == 0) {
        QCoreApplication application(argc, argv);
        filler::fillFolder(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir home; // nothing reaches the user's own folders
    qputenv("HOME", home.path().toUtf8());
    app::applyProgramFont(application);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
