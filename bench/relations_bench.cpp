// Completion, month totals and month sums over 100 000 transactions of about 2 000 relations
// over 10 years, in tables on disk as the program has them.
#include "monthly/month_sums.h"
#include "relations/completion.h"
#include "relations/month_totals.h"
#include "store/data_module.h"
#include "store/table_names.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;
using namespace store::names;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    store::TDataModule1 data;

    explicit Fixture(int transactions, int relations)
    {
        data.setTablesFolder(dir.path());
        data.T1.open();
        data.T2.open();
        QRandomGenerator random(1);
        const QDate start(2010, 1, 1);
        for (int i = 0; i < transactions; ++i) {
            data.T1.append();
            data.T1.fieldByName(kDatum).setAsDate(start.addDays(i * 3650LL / transactions));
            data.T1.fieldByName(kSoort).setAsInteger(3 + random.bounded(5));
            data.T1.fieldByName(kNaam).setAsString(u"RELATIE %1"_s.arg(random.bounded(relations)));
            data.T1.fieldByName(kBedrag).setAsFloat(random.bounded(-50000, 50000) / 100.0);
            data.T1.post();
        }
    }
};

Fixture& shared()
{
    static Fixture fixture(100000, 2000);
    return fixture;
}

void BM_CompletionPass(benchmark::State& state)
{
    Fixture& f = shared();
    for (auto _ : state)
        relations::completeRelations(f.data.T1, f.data.T2);
    state.counters["relation_years"] = f.data.T2.recordCount();
}
BENCHMARK(BM_CompletionPass)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MonthTotalsPass(benchmark::State& state)
{
    Fixture& f = shared();
    relations::completeRelations(f.data.T1, f.data.T2);
    for (auto _ : state)
        relations::fillMonthTotals(f.data.T1, f.data.T2);
}
BENCHMARK(BM_MonthTotalsPass)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MonthSums(benchmark::State& state)
{
    Fixture& f = shared();
    relations::completeRelations(f.data.T1, f.data.T2);
    relations::fillMonthTotals(f.data.T1, f.data.T2); // every month field holds a number
    for (auto _ : state)
        benchmark::DoNotOptimize(monthly::geefsaldi(f.data.T2));
    state.counters["rows"] = f.data.T2.recordCount();
}
BENCHMARK(BM_MonthSums)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
