// Categories over the 100 000 lines of the sample generator's file under 500 rules, each kind on
// each of the four fields: the index and a year's overview after a change of rule, and the
// dialog's per-rule counts.
#include "bench/fresh_runs.h"
#include "bench/tab_files.h"
#include "categories/category_index.h"
#include "categories/category_statistics.h"
#include "import/import_run.h"
#include "store/table_names.h"

#include <benchmark/benchmark.h>

#include <QRegularExpression>
#include <QSet>

#include <array>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

using categories::CategoryField;
using categories::CategoryRule;
using relations::RuleKind;

constexpr int kRules = 500;

// The distinct non-empty texts of one field of mutaties, sorted.
QStringList textsOf(dbase::Table& mutaties, const QString& field)
{
    QSet<QString> distinct;
    const int index = mutaties.fieldIndex(field);
    for (int r = 0; r < mutaties.recordCount(); ++r)
        distinct.insert(mutaties.rowAt(r).asString(index).simplified());
    distinct.remove(QString());
    QStringList texts(distinct.begin(), distinct.end());
    texts.sort();
    return texts;
}

// Rule n reads field n % 4 with kind n / 4 % 4, its pattern cut from a text of that field (Groep
// from the names: no group rules), so that some rules catch transactions and most do not.
std::vector<CategoryRule> rulesFor(dbase::Table& mutaties)
{
    const QStringList names = textsOf(mutaties, store::names::kNaam);
    const std::array<QStringList, 4> texts = {names, names,
                                              textsOf(mutaties, store::names::kOmschrijving),
                                              textsOf(mutaties, store::names::kReknum)};
    std::vector<CategoryRule> rules;
    for (int n = 0; n < kRules; ++n) {
        CategoryRule rule;
        rule.field = static_cast<CategoryField>(n % 4);
        rule.kind = static_cast<RuleKind>(n / 4 % 4);
        rule.category = u"RUBRIEK %1"_s.arg(n % 23);
        const QStringList& from = texts[std::size_t(n % 4)];
        const QString text = from[(qsizetype(n) * 7919) % from.size()];
        const QString piece = text.mid(text.size() / 3, 10).trimmed();
        switch (rule.kind) {
        case RuleKind::Equal:
            rule.pattern = text.left(relations::kPatternMax);
            break;
        case RuleKind::BeginsWith:
            rule.pattern = text.left(12).trimmed();
            break;
        case RuleKind::Contains:
            rule.pattern = piece.isEmpty() ? text : piece;
            break;
        case RuleKind::Pattern:
            rule.pattern =
                u"%1.*\\d"_s.arg(QRegularExpression::escape(piece.isEmpty() ? text : piece));
            break;
        }
        rules.push_back(categories::checkedRule(rule));
    }
    return rules;
}

categories::OwnAccounts ownAccounts()
{
    return categories::OwnAccounts({u"NL18FINA0000005472"_s, u"78.55.86.657"_s});
}

void counters(benchmark::State& state)
{
    state.counters["cores"] = double(std::thread::hardware_concurrency());
    state.counters["lines"] = benchdata::kLines;
}

// What the page does after a change of rule: a new resolver, the index, the overview of the
// last year with its coverage.
void BM_IndexAndOverviewWith500Rules(benchmark::State& state)
{
    benchdata::FreshTables tables;
    import::ImportRun(tables.data.T1, tables.data.T2)
        .run(benchdata::tabFile(u"kolvaro-sample-100k.tab"_s));
    const std::vector<CategoryRule> rules = rulesFor(tables.data.T1);
    const relations::GroupResolver groups;
    std::size_t categorised = 0;
    for (auto _ : state) {
        const categories::CategoryResolver resolver(rules, ownAccounts());
        const categories::CategoryIndex index =
            categories::CategoryIndex::build(tables.data.T1, groups, resolver);
        const categories::CategoryOverview overview =
            categories::categoryOverview(index, index.years().last(), true);
        benchmark::DoNotOptimize(categories::coverageLine(overview));
        categorised = overview.rows.size();
    }
    counters(state);
    state.counters["rows"] = double(categorised);
}

// The dialog's counts: every matching rule of every transaction, with a new resolver.
void BM_RuleCountsWith500Rules(benchmark::State& state)
{
    benchdata::FreshTables tables;
    import::ImportRun(tables.data.T1, tables.data.T2)
        .run(benchdata::tabFile(u"kolvaro-sample-100k.tab"_s));
    const std::vector<CategoryRule> rules = rulesFor(tables.data.T1);
    const relations::GroupResolver groups;
    std::size_t decided = 0, shadowed = 0;
    for (auto _ : state) {
        const categories::CategoryResolver resolver(rules, ownAccounts());
        decided = shadowed = 0;
        for (const categories::CategoryRuleStatistics& rule :
             categories::categoryRuleStatistics(tables.data.T1, groups, resolver)) {
            decided += std::size_t(rule.transactions);
            shadowed += std::size_t(rule.shadowed);
        }
    }
    counters(state);
    state.counters["decided"] = double(decided);
    state.counters["shadowed"] = double(shadowed);
}

BENCHMARK(BM_IndexAndOverviewWith500Rules)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3);
BENCHMARK(BM_RuleCountsWith500Rules)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);

} // namespace

BENCHMARK_MAIN();
