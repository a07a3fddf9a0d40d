// The table engine at 100 000 transactions: open, append+post, nearest-key search, a filtered
// walk and a filtered count. Targets: open < 0.2 s, append+post < 5 us a row, walk < 20 ms.
#include "store/dbase/table.h"
#include "store/table_definitions.h"
#include "store/table_names.h"

#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <vector>

namespace {

namespace names = store::names;
using dbase::Table;

constexpr int kRows = 100000;

struct Row
{
    QDate datum;
    int soort;
    QString naam;
    QString omschrijving;
    QString reknum;
    double bedrag;
};

// Three years of transactions over about a thousand relations, amounts in cents.
const std::vector<Row>& rows()
{
    static const std::vector<Row> generated = [] {
        std::mt19937 random(20240305);
        const QStringList words = {QStringLiteral("ALBERT"),      QStringLiteral("HOEKS"),
                                   QStringLiteral("Bakkerij"),    QStringLiteral("DAGVERS"),
                                   QStringLiteral("Caf\u00e9"),   QStringLiteral("Gemeente"),
                                   QStringLiteral("Verzekering"), QStringLiteral("Zorg"),
                                   QStringLiteral("Energie"),     QStringLiteral("Garage")};
        std::vector<QString> names;
        for (int i = 0; i < 1000; ++i)
            names.push_back(words[i % words.size()] + QLatin1Char(' ') +
                            words[(i / 10) % words.size()] + QLatin1Char(' ') + QString::number(i));
        std::vector<Row> result;
        result.reserve(kRows);
        const QDate start(2021, 1, 1);
        for (int i = 0; i < kRows; ++i) {
            const QString& naam = names[random() % names.size()];
            result.push_back({start.addDays(static_cast<qint64>(random() % 1095)),
                              3 + static_cast<int>(random() % 5), naam,
                              QStringLiteral("Betaalautomaat %1 pasnr. %2 ").arg(naam).arg(i) +
                                  QString(static_cast<int>(random() % 80), QLatin1Char('x')),
                              QStringLiteral("NL%1BANK").arg(random() % 100),
                              (static_cast<int>(random() % 1000000) - 700000) / 100.0});
        }
        return result;
    }();
    return generated;
}

void appendRow(Table& table, const Row& row)
{
    table.append();
    table.field(0).setAsDate(row.datum);
    table.field(1).setAsInteger(row.soort);
    table.field(2).setAsString(row.naam);
    table.field(3).setAsString(row.omschrijving);
    table.field(4).setAsString(row.reknum);
    table.field(5).setAsFloat(row.bedrag);
    table.post();
}

std::unique_ptr<Table> openMutaties(const QString& folder)
{
    auto table = std::make_unique<Table>();
    table->setDefinition(store::mutatiesDefinition());
    table->setDirectory(folder);
    table->setIndexName(names::kIndexDatum);
    table->open();
    return table;
}

// A folder holding mutaties with all rows, written once per run.
QString fullFolder()
{
    static QTemporaryDir dir;
    static const bool filled = [] {
        auto table = openMutaties(dir.path());
        for (const Row& row : rows())
            appendRow(*table, row);
        table->close();
        return true;
    }();
    (void)filled;
    return dir.path();
}

void BM_Open(benchmark::State& state)
{
    const QString folder = fullFolder();
    for (auto _ : state) {
        auto table = openMutaties(folder);
        benchmark::DoNotOptimize(table->recordCount());
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

// Arg 0: rows in date order, as an import of the bank's export brings them; arg 1: random order.
void BM_AppendPost(benchmark::State& state)
{
    std::vector<const Row*> order;
    for (const Row& row : rows())
        order.push_back(&row);
    if (state.range(0) == 0)
        std::stable_sort(order.begin(), order.end(),
                         [](const Row* a, const Row* b) { return a->datum < b->datum; });
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = std::make_unique<QTemporaryDir>();
        auto table = openMutaties(dir->path());
        state.ResumeTiming();
        for (const Row* row : order)
            appendRow(*table, *row);
        state.PauseTiming();
        table.reset();
        dir.reset();
        state.ResumeTiming();
    }
    state.counters["per_row"] = benchmark::Counter(
        kRows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AppendPost)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FindNearest(benchmark::State& state)
{
    auto table = openMutaties(fullFolder());
    std::mt19937 random(7);
    std::vector<QDate> keys;
    for (int i = 0; i < kRows; ++i)
        keys.push_back(QDate(2020, 12, 1).addDays(static_cast<qint64>(random() % 1200)));
    for (auto _ : state) {
        for (const QDate& key : keys)
            table->findNearest(key);
        benchmark::DoNotOptimize(table->position());
    }
    state.counters["per_search"] = benchmark::Counter(
        kRows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FindNearest)->Unit(benchmark::kMillisecond);

// Outgoing amounts: about two thirds of the rows.
bool outgoing(const dbase::RowView& row)
{
    return row.asFloat(5) < 0;
}

void BM_FilteredWalk(benchmark::State& state)
{
    auto table = openMutaties(fullFolder());
    table->setFilterPredicate(outgoing);
    table->setFiltered(true);
    for (auto _ : state) {
        double sum = 0;
        for (table->first(); !table->eof(); table->next())
            sum += table->field(5).asFloat();
        benchmark::DoNotOptimize(sum);
    }
    state.counters["rows"] = table->recordCount();
}
BENCHMARK(BM_FilteredWalk)->Unit(benchmark::kMillisecond);

void BM_FilteredRecordCount(benchmark::State& state)
{
    auto table = openMutaties(fullFolder());
    table->setFiltered(true);
    for (auto _ : state) {
        // A new predicate, as the filter row installs one per change, then the count.
        table->setFilterPredicate(outgoing);
        benchmark::DoNotOptimize(table->recordCount());
    }
}
BENCHMARK(BM_FilteredRecordCount)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
