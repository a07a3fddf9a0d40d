// Relation groups over the 100 000 lines of the sample generator's file and 500 rules made from
// its names (300 "gelijk", 150 "begint met", 40 "bevat", 10 "patroon", all on Naam, as payee
// rules are written): the rebuild of bedrijven, and the import with and without the rules.
#include "bench/fresh_runs.h"
#include "bench/tab_files.h"
#include "import/import_run.h"
#include "relations/group_rebuild.h"
#include "relations/group_statistics.h"
#include "store/data_module.h"
#include "store/table_names.h"

#include <benchmark/benchmark.h>

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

using relations::GroupRule;
using relations::RuleKind;

QString sampleFile()
{
    return benchdata::tabFile(u"kolvaro-sample-100k.tab"_s);
}

GroupRule rule(RuleKind kind, const QString& pattern, const QString& group,
               relations::RuleField field = relations::RuleField::Naam)
{
    GroupRule r;
    r.field = field;
    r.kind = kind;
    r.pattern = pattern;
    r.group = group;
    return relations::checkedRule(r);
}

// 500 rules over the names of the imported sample; with `descriptions` the "bevat" and
// "patroon" rules look at Omschrijving, where nearly every text is new to the resolver's cache.
std::vector<GroupRule> rulesFor(dbase::Table& mutaties, bool descriptions = false)
{
    const relations::RuleField scanned =
        descriptions ? relations::RuleField::Omschrijving : relations::RuleField::Naam;
    QSet<QString> distinct;
    const int naam = mutaties.fieldIndex(store::names::kNaam);
    for (int r = 0; r < mutaties.recordCount(); ++r)
        distinct.insert(mutaties.rowAt(r).asString(naam));
    QStringList names(distinct.begin(), distinct.end());
    names.sort();
    names.removeAll(QString());
    std::vector<GroupRule> rules;
    for (qsizetype i = 0; rules.size() < 500; ++i) {
        const QString name = names[i % names.size()];
        const QString group = u"GROEP %1"_s.arg(i % 97);
        const std::size_t n = rules.size();
        if (n < 300)
            rules.push_back(rule(RuleKind::Equal, name, group));
        else if (n < 450)
            rules.push_back(
                rule(RuleKind::BeginsWith, relations::withoutBranchNumber(name), group));
        else if (n < 490)
            rules.push_back(rule(RuleKind::Contains, name.mid(2, 6), group, scanned));
        else
            rules.push_back(rule(RuleKind::Pattern,
                                 u"^%1\\s+\\d+"_s.arg(QRegularExpression::escape(
                                     relations::withoutBranchNumber(name))),
                                 group, scanned));
    }
    return rules;
}

void counters(benchmark::State& state)
{
    state.counters["cores"] = double(std::thread::hardware_concurrency());
    state.counters["lines"] = benchdata::kLines;
}

// One rebuild under the rules from the table as the passes leave it without rules (put back
// between the timed runs).
void BM_RebuildWith500Rules(benchmark::State& state)
{
    benchdata::FreshTables tables;
    import::ImportRun(tables.data.T1, tables.data.T2).run(sampleFile());
    const relations::GroupResolver none;
    const relations::GroupResolver groups(rulesFor(tables.data.T1, state.range(0) == 1));
    const int plainRows = relations::rebuildRelationYears(tables.data.T1, tables.data.T2, none);
    int groupRows = 0;
    for (auto _ : state) {
        groupRows = relations::rebuildRelationYears(tables.data.T1, tables.data.T2, groups);
        state.PauseTiming();
        relations::rebuildRelationYears(tables.data.T1, tables.data.T2, none);
        state.ResumeTiming();
    }
    counters(state);
    // The rules must change the table, or the figure says nothing.
    state.counters["rows_without"] = plainRows;
    state.counters["rows_with"] = groupRows;
}

void runImport(benchmark::State& state, bool withRules)
{
    std::vector<GroupRule> rules;
    {
        benchdata::FreshTables scratch;
        import::ImportRun(scratch.data.T1, scratch.data.T2).run(sampleFile());
        rules = rulesFor(scratch.data.T1);
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto tables = std::make_unique<benchdata::FreshTables>();
        // The resolver is made when the import starts, so its compiling counts.
        state.ResumeTiming();
        const relations::GroupResolver groups(withRules ? rules : std::vector<GroupRule>{});
        import::ImportRun run(tables->data.T1, tables->data.T2);
        run.setGroups(&groups);
        benchmark::DoNotOptimize(run.run(sampleFile()));
        state.PauseTiming();
        tables.reset();
        state.ResumeTiming();
    }
    counters(state);
}

void BM_ImportWithoutRules(benchmark::State& state)
{
    runImport(state, false);
}

void BM_ImportWith500Rules(benchmark::State& state)
{
    runImport(state, true);
}

// Argument 0: every rule on Naam; 1: the 50 "bevat" and "patroon" rules on Omschrijving.
BENCHMARK(BM_RebuildWith500Rules)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3);
BENCHMARK(BM_ImportWithoutRules)->Apply(benchdata::wholeRuns);
BENCHMARK(BM_ImportWith500Rules)->Apply(benchdata::wholeRuns);

} // namespace

BENCHMARK_MAIN();
