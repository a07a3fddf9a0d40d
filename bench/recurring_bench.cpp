// Detection of fixed costs over 100 000 transactions: the sample generator's file as imported,
// and a history of many relations that nearly all pay at a rhythm.
#include "bench/fresh_runs.h"
#include "bench/tab_files.h"
#include "import/import_run.h"
#include "recurring/detection.h"
#include "recurring/fixed_costs.h"
#include "recurring/stored_payments.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

struct ImportedSample
{
    benchdata::FreshTables tables;
    ImportedSample()
    {
        import::ImportRun(tables.data.T1, tables.data.T2)
            .run(benchdata::tabFile(u"kolvaro-sample-100k.tab"_s));
    }
};

ImportedSample& imported()
{
    static ImportedSample sample;
    return sample;
}

QDate lastDate(const std::vector<recurring::Payment>& payments)
{
    QDate last;
    for (const recurring::Payment& p : payments)
        last = std::max(last, p.date);
    return last;
}

// The stored rows read as payments, their groups without rules.
void BM_StoredPayments(benchmark::State& state)
{
    dbase::Table& mutaties = imported().tables.data.T1;
    const relations::GroupResolver groups;
    for (auto _ : state)
        benchmark::DoNotOptimize(recurring::storedPayments(mutaties, groups));
    state.counters["rows"] = mutaties.storedRowCount();
}

// Detection alone over the payments of the imported sample, in the table's date order.
void BM_DetectSample(benchmark::State& state)
{
    const std::vector<recurring::Payment> payments =
        recurring::storedPayments(imported().tables.data.T1, relations::GroupResolver());
    const QDate asOf = lastDate(payments);
    std::size_t items = 0;
    for (auto _ : state)
        items = recurring::detectRecurring(payments, asOf).size();
    state.counters["payments"] = double(payments.size());
    state.counters["items"] = double(items);
}

// What the page asks for: reading, group rules, detection, hidden items and totals.
void BM_FixedCostsSample(benchmark::State& state)
{
    store::TDataModule1& data = imported().tables.data;
    for (auto _ : state)
        benchmark::DoNotOptimize(recurring::fixedCosts(data, std::nullopt, false));
}

// 100 000 payments over five years: 1 500 relations paying every month (some every quarter or
// year, some varying, some with a rise), between them 40 000 shop visits of 400 shops.
std::vector<recurring::Payment> manySeries()
{
    std::vector<recurring::Payment> payments;
    const QDate start(2019, 1, 1);
    int record = 0;
    quint32 state = 12345;
    const auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    for (int r = 0; payments.size() < 60000; ++r) {
        const int months = r % 10 == 0 ? 12 : r % 5 == 0 ? 3 : 1;
        const QString group = u"Relatie %1"_s.arg(r);
        const QString reknum = u"NL%1BANK%2"_s.arg(r % 97).arg(r, 10, 10, QChar(u'0'));
        const qint64 cents = -qint64(1000 + next() % 100000);
        for (int m = 0; m < 60; m += months) {
            const qint64 swing = r % 7 == 0 ? qint64(next() % 2000) : 0;
            const qint64 rise = r % 3 == 0 && m >= 30 ? cents / 20 : 0;
            payments.push_back({++record, start.addMonths(m).addDays(r % 28 + int(next() % 3)),
                                cents + rise - swing, group, reknum});
        }
    }
    while (payments.size() < 100000)
        payments.push_back({++record, start.addDays(int(next() % 1826)),
                            -qint64(100 + next() % 20000), u"Winkel %1"_s.arg(next() % 400),
                            QString()});
    return payments;
}

void BM_DetectManySeries(benchmark::State& state)
{
    const std::vector<recurring::Payment> payments = manySeries();
    const QDate asOf = lastDate(payments);
    std::size_t items = 0;
    for (auto _ : state)
        items = recurring::detectRecurring(payments, asOf).size();
    state.counters["payments"] = double(payments.size());
    state.counters["items"] = double(items);
}

} // namespace

BENCHMARK(BM_StoredPayments)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DetectSample)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FixedCostsSample)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DetectManySeries)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
