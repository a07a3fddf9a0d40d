// The gap walk over 1 000 000 transactions with balances (about 100 a day, shuffled within the
// day, a few periods missing): the walk alone, and with reading the rows from the table.
#include "balances/gap_walk.h"
#include "store/dbase/table.h"
#include "store/table_definitions.h"
#include "store/table_names.h"

#include <QRandomGenerator>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000000;
constexpr int kPerDay = 100;

std::vector<balances::BalanceRow> statement()
{
    QRandomGenerator random(1);
    std::vector<balances::BalanceRow> rows;
    const qint64 start = QDate(2000, 1, 1).toJulianDay();
    qint64 balance = 1000000;
    for (int i = 0; i < kRows; ++i) {
        const qint64 after = balance + random.bounded(-50000, 50000);
        if (i % 100000 != 500) // a line missing now and then
            rows.push_back({start + i / kPerDay, balance, after});
        balance = after;
    }
    for (std::size_t day = 0; day < rows.size(); day += kPerDay)
        std::shuffle(rows.begin() + long(day),
                     rows.begin() + long(std::min(rows.size(), day + kPerDay)),
                     std::mt19937(unsigned(day)));
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.day < b.day; });
    return rows;
}

void BM_GapWalk(benchmark::State& state)
{
    const std::vector<balances::BalanceRow> rows = statement();
    for (auto _ : state)
        benchmark::DoNotOptimize(balances::walkBalances(rows));
}
BENCHMARK(BM_GapWalk)->Unit(benchmark::kMillisecond);

void BM_StoredGaps(benchmark::State& state)
{
    dbase::TableDefinition definition = store::mutatiesDefinition();
    for (const QString& name : {balances::kSaldoVoor, balances::kSaldoNa})
        definition.fields.push_back(dbase::FieldDef{name, 'N', 15, 2, 0});
    auto table = dbase::Table::createInMemory(definition, store::names::kIndexDatum);
    using namespace store::names;
    for (const balances::BalanceRow& row : statement()) {
        table->append();
        table->fieldByName(kDatum).setAsDate(QDate::fromJulianDay(row.day));
        table->fieldByName(kBedrag).setAsFloat(double(row.after - row.before) / 100.0);
        table->fieldByName(balances::kSaldoVoor).setAsFloat(double(row.before) / 100.0);
        table->fieldByName(balances::kSaldoNa).setAsFloat(double(row.after) / 100.0);
        table->post();
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(balances::storedGaps(*table));
}
BENCHMARK(BM_StoredGaps)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
