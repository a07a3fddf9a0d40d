// Relation groups over the 100 000 lines of the sample generator's file and 500 rules made from
// its texts (see Mix): the rebuild of bedrijven, and the import with and without the rules.
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
#include <array>
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

// The rule sets measured, by the benchmarks' argument.
enum Mix
{
    kOnNaam = 0,         // 300 gelijk, 150 begint met, 40 bevat, 10 patroon, all on Naam
    kScannedOnText = 1,  // the same, the 50 bevat and patroon rules on Omschrijving
    kContainsOnBoth = 2, // 250 bevat on Omschrijving, 250 on Naam
    kEveryKind = 3,      // every kind on every field, about 42 rules each: the worst realistic mix
    kEveryKindRare = 4,  // the same with long pieces of single texts: most transactions match none
};

// The distinct non-empty texts of one field of mutaties, sorted.
QStringList distinctTexts(dbase::Table& mutaties, const QString& field)
{
    QSet<QString> distinct;
    const int index = mutaties.fieldIndex(field);
    for (int r = 0; r < mutaties.recordCount(); ++r)
        distinct.insert(mutaties.rowAt(r).asString(index).simplified());
    QStringList texts(distinct.begin(), distinct.end());
    texts.removeAll(QString());
    texts.sort();
    return texts;
}

// The longest word of a text: what a "bevat" rule on a description is made of (a shop, a
// payee, a kind of payment), and what few other texts contain.
QString longestWord(const QString& text)
{
    static const QRegularExpression blanks(u"[\\s,.:/]+"_s);
    QString longest;
    for (const QString& word : text.split(blanks, Qt::SkipEmptyParts))
        if (word.size() > longest.size())
            longest = word;
    return longest;
}

// 500 rules made from the texts of the imported sample, so that some of them catch
// transactions; on Omschrijving nearly every text is new to the resolver's cache.
std::vector<GroupRule> rulesFor(dbase::Table& mutaties, Mix mix = kOnNaam)
{
    using relations::RuleField;
    const std::array<QStringList, 3> texts = {distinctTexts(mutaties, store::names::kNaam),
                                              distinctTexts(mutaties, store::names::kOmschrijving),
                                              distinctTexts(mutaties, store::names::kReknum)};
    const RuleField scanned = mix == kScannedOnText ? RuleField::Omschrijving : RuleField::Naam;
    std::vector<GroupRule> rules;
    for (qsizetype i = 0; rules.size() < 500; ++i) {
        const QString group = u"GROEP %1"_s.arg(i % 97);
        const std::size_t n = rules.size();
        RuleField field = RuleField::Naam;
        RuleKind kind = RuleKind::Contains;
        if (mix == kContainsOnBoth) {
            field = n % 2 ? RuleField::Naam : RuleField::Omschrijving;
        } else if (mix == kEveryKind || mix == kEveryKindRare) {
            field = static_cast<RuleField>(n % 3);
            kind = static_cast<RuleKind>(n / 3 % 4);
        } else {
            kind = n < 300   ? RuleKind::Equal
                   : n < 450 ? RuleKind::BeginsWith
                   : n < 490 ? RuleKind::Contains
                             : RuleKind::Pattern;
            if (kind == RuleKind::Contains || kind == RuleKind::Pattern)
                field = scanned;
        }
        // Naam texts make the rules on Naam, whatever field a rule of the first two mixes reads.
        const QStringList& from =
            mix == kOnNaam || mix == kScannedOnText ? texts[0] : texts[std::size_t(field)];
        const QString text = from[(i * 7919) % from.size()];
        QString head = relations::withoutBranchNumber(text);
        QString middle = text.mid(2, 6).trimmed();
        if (mix == kContainsOnBoth || mix == kEveryKind) {
            head = head.left(12).trimmed();
            middle = longestWord(text);
        } else if (mix == kEveryKindRare) {
            head = text.left(text.size() * 3 / 4).trimmed();
            middle = text.mid(text.size() / 3, 16).trimmed();
        }
        QString pattern;
        switch (kind) {
        case RuleKind::Equal:
            pattern = text.left(relations::kPatternMax);
            break;
        case RuleKind::BeginsWith:
            pattern = head;
            break;
        case RuleKind::Contains:
            pattern = middle.isEmpty() ? text : middle;
            break;
        case RuleKind::Pattern:
            pattern = field == RuleField::Reknum
                          ? u"^%1\\d+$"_s.arg(QRegularExpression::escape(head.left(4)))
                          : u"^%1\\s+\\d+"_s.arg(QRegularExpression::escape(head));
            if ((mix == kEveryKind || mix == kEveryKindRare) && field == RuleField::Omschrijving)
                pattern = u"%1.*\\d{2}"_s.arg(QRegularExpression::escape(middle));
            break;
        }
        rules.push_back(rule(kind, pattern, group, field));
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
    const relations::GroupResolver groups(
        rulesFor(tables.data.T1, static_cast<Mix>(state.range(0))));
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

// The matcher alone: the group of each of the 100 000 transactions' texts, held in memory, by a
// resolver made for the run (nothing remembered from an earlier one).
void BM_GroupsOfTexts(benchmark::State& state)
{
    benchdata::FreshTables tables;
    import::ImportRun(tables.data.T1, tables.data.T2).run(sampleFile());
    const std::vector<GroupRule> rules = rulesFor(tables.data.T1, static_cast<Mix>(state.range(0)));
    dbase::Table& mutaties = tables.data.T1;
    const int naam = mutaties.fieldIndex(store::names::kNaam);
    const int omschrijving = mutaties.fieldIndex(store::names::kOmschrijving);
    const int reknum = mutaties.fieldIndex(store::names::kReknum);
    std::vector<relations::RuleTexts> texts;
    for (int r = 0; r < mutaties.recordCount(); ++r) {
        const dbase::RowView row = mutaties.rowAt(r);
        texts.push_back({row.asString(naam), row.asString(omschrijving), row.asString(reknum)});
    }
    int grouped = 0;
    for (auto _ : state) {
        const relations::GroupResolver groups(rules);
        grouped = 0;
        for (const relations::RuleTexts& t : texts)
            grouped += groups.match(t).rule > 0;
    }
    counters(state);
    state.counters["grouped"] = grouped;
}

void runImport(benchmark::State& state, bool withRules)
{
    std::vector<GroupRule> rules;
    if (withRules) {
        benchdata::FreshTables scratch;
        import::ImportRun(scratch.data.T1, scratch.data.T2).run(sampleFile());
        rules = rulesFor(scratch.data.T1, static_cast<Mix>(state.range(0)));
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto tables = std::make_unique<benchdata::FreshTables>();
        // The resolver is made when the import starts, so its compiling counts.
        state.ResumeTiming();
        const relations::GroupResolver groups(rules);
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

// The argument is the Mix.
BENCHMARK(BM_RebuildWith500Rules)
    ->DenseRange(kOnNaam, kEveryKindRare)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3);
BENCHMARK(BM_GroupsOfTexts)
    ->DenseRange(kOnNaam, kEveryKindRare)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3);
BENCHMARK(BM_ImportWithoutRules)->Apply(benchdata::wholeRuns);
BENCHMARK(BM_ImportWith500Rules)
    ->Arg(kOnNaam)
    ->Arg(kContainsOnBoth)
    ->Arg(kEveryKind)
    ->Arg(kEveryKindRare)
    ->Apply(benchdata::wholeRuns);

} // namespace

BENCHMARK_MAIN();
