#include "relations/group_rebuild.h"

#include "relations/relation_year.h"
#include "relations/transaction_groups.h"
#include "store/dbase/update_blocker.h"
#include "store/month_fields.h"
#include "store/table_names.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <utility>

namespace relations {

using namespace store::names;

namespace {

using Months = std::array<double, 12>;
using Pair = std::pair<QString, QString>; // (group, jaar)

// What the transactions tell a rebuild: the month totals per (group, jaar) under the new rules,
// added one transaction at a time in date order as the month pass adds them, and which stored
// rows are in its reach.
struct Seen
{
    std::map<Pair, Months> wanted;
    QSet<Pair> reached;
    QSet<QString> years;      // years with transactions
    QSet<QString> ruleGroups; // the groups the new and the old rules name

    bool inReach(const Pair& pair) const
    {
        return reached.contains(pair) ||
               (years.contains(pair.second) && ruleGroups.contains(pair.first));
    }
};

void addRuleGroups(QSet<QString>& groups, const GroupResolver& resolver)
{
    for (const GroupRule& rule : resolver.rules())
        if (rule.active)
            groups.insert(rule.group);
}

Seen seenIn(dbase::Table& mutaties, const GroupResolver& groups, const GroupResolver* before)
{
    const dbase::FilterLift all(mutaties);
    const TransactionGroups group(mutaties, &groups);
    std::optional<TransactionGroups> oldGroup;
    if (before)
        oldGroup.emplace(mutaties, before);
    const dbase::Field datum = mutaties.fieldByName(kDatum);
    const dbase::Field bedrag = mutaties.fieldByName(kBedrag);
    const dbase::Field naam = mutaties.fieldByName(kNaam);
    Seen seen;
    QHash<Pair, Months> totals;
    for (mutaties.first(); !mutaties.eof(); mutaties.next()) {
        const QDate date = datum.asDate();
        if (!date.isValid())
            continue;
        const QString year = yearText(date);
        Pair pair{group.groupOfCurrent(), year};
        Months& months = totals[pair];
        months[static_cast<std::size_t>(date.month() - 1)] += bedrag.asFloat();
        seen.reached.insert(std::move(pair));
        seen.reached.insert(Pair{naam.asString(), year});
        if (oldGroup)
            seen.reached.insert(Pair{oldGroup->groupOfCurrent(), year});
        seen.years.insert(year);
    }
    seen.wanted = {totals.keyValueBegin(), totals.keyValueEnd()};
    addRuleGroups(seen.ruleGroups, groups);
    if (before)
        addRuleGroups(seen.ruleGroups, *before);
    return seen;
}

// The stored amounts have two decimals: totals that agree in cents are the same.
bool sameAmount(double a, double b)
{
    return std::llround(a * 100.0) == std::llround(b * 100.0);
}

double yearTotal(const Months& months)
{
    double sum = 0.0;
    for (const double m : months)
        sum += m;
    return sum;
}

struct MonthFields
{
    explicit MonthFields(dbase::Table& bedrijven) : fields(store::monthFieldIndexes(bedrijven)) {}
    // An empty month is not yet filled: the rebuild writes it even when the total is 0.
    bool differ(dbase::Table& bedrijven, const Months& wanted) const
    {
        for (std::size_t m = 0; m < wanted.size(); ++m) {
            const dbase::Field f = bedrijven.field(fields[m]);
            if (f.isNull() || !sameAmount(f.asFloat(), wanted[m]))
                return true;
        }
        return false;
    }
    void write(dbase::Table& bedrijven, const Months& months) const
    {
        // Rounded to the cent as the field stores it: a month that nets to zero is 0, not a
        // negative zero or a rest of binary fractions.
        for (std::size_t m = 0; m < months.size(); ++m)
            bedrijven.field(fields[m]).setAsFloat(std::llround(months[m] * 100.0) / 100.0);
    }
    std::array<int, 12> fields{};
};

// What becomes of a stored row, in the walk over bedrijven in index order.
enum class Fate
{
    Untouched, // out of reach
    Keep,      // the pair's row: its totals are made right
    Remove,    // in reach but no transaction makes it, or a second row of its pair
};

struct Fates
{
    explicit Fates(const Seen& s) : seen(s) {}
    Fate of(const Pair& pair)
    {
        if (!seen.inReach(pair) && !seen.wanted.contains(pair))
            return Fate::Untouched;
        if (!seen.wanted.contains(pair) || kept.contains(pair))
            return Fate::Remove;
        kept.insert(pair);
        return Fate::Keep;
    }
    const Seen& seen;
    QSet<Pair> kept;
};

} // namespace

std::vector<GroupChange> plannedGroupChanges(dbase::Table& mutaties, dbase::Table& bedrijven,
                                             const GroupResolver& groups,
                                             const GroupResolver* before)
{
    const Seen seen = seenIn(mutaties, groups, before);

    struct Stored
    {
        Months months{}; // summed over the pair's rows
        int rows = 0;
        bool empty = false; // a month not yet filled
    };
    std::map<Pair, Stored> stored;
    const dbase::FilterLift all(bedrijven);
    const MonthFields months(bedrijven);
    const int naam = bedrijven.fieldIndex(kNaam), jaar = bedrijven.fieldIndex(kJaar);
    for (int r = 0; r < bedrijven.recordCount(); ++r) {
        const dbase::RowView row = bedrijven.rowAt(r);
        const Pair pair{row.asString(naam), row.asString(jaar)};
        if (!seen.inReach(pair) && !seen.wanted.contains(pair))
            continue; // a rebuild leaves it as it is
        Stored& s = stored[pair];
        ++s.rows;
        for (std::size_t m = 0; m < s.months.size(); ++m) {
            s.months[m] += row.asFloat(months.fields[m]);
            s.empty = s.empty || row.isNull(months.fields[m]);
        }
    }

    std::map<Pair, GroupChange> changes; // keyed (jaar, group): the order of the lines
    const auto note = [&](const Pair& pair, const Stored* s, const Months* w) {
        changes[Pair{pair.second, pair.first}] = {pair.second, pair.first,
                                                  s ? yearTotal(s->months) : 0.0,
                                                  w ? yearTotal(*w) : 0.0, s != nullptr};
    };
    for (const auto& [pair, s] : stored) {
        const auto w = seen.wanted.find(pair);
        bool changed = w == seen.wanted.end() || s.rows != 1 || s.empty;
        for (std::size_t m = 0; m < s.months.size() && !changed; ++m)
            changed = !sameAmount(s.months[m], w->second[m]);
        if (changed)
            note(pair, &s, w == seen.wanted.end() ? nullptr : &w->second);
    }
    for (const auto& [pair, w] : seen.wanted)
        if (!stored.contains(pair))
            note(pair, nullptr, &w);

    std::vector<GroupChange> list;
    for (const auto& [key, change] : changes)
        list.push_back(change);
    return list;
}

int rebuildRelationYears(dbase::Table& mutaties, dbase::Table& bedrijven,
                         const GroupResolver& groups, const GroupResolver* before,
                         RemovedRelationYears* removed)
{
    const dbase::UpdateBlocker blockBedrijven(bedrijven);
    const dbase::UpdateBlocker blockMutaties(mutaties);
    const Seen seen = seenIn(mutaties, groups, before);

    const dbase::FilterLift all(bedrijven);
    const MonthFields months(bedrijven);
    const int naamField = bedrijven.fieldIndex(kNaam), jaarField = bedrijven.fieldIndex(kJaar);
    const auto pairOf = [&](const dbase::RowView& row) {
        return Pair{row.asString(naamField), row.asString(jaarField)};
    };

    // The rows that go are kept on the disk before the first of them leaves the table.
    if (removed) {
        Fates fates(seen);
        for (int r = 0; r < bedrijven.storedRowCount(); ++r) {
            const dbase::RowView row = bedrijven.storedRowAt(r);
            if (fates.of(pairOf(row)) == Fate::Remove)
                removed->add(RelationYearRow::read(bedrijven, row));
        }
        removed->save();
    }

    Fates fates(seen);
    // Rewritten rows reach the file together at the flush.
    bedrijven.holdWritesUntilFlush();
    bedrijven.first();
    while (!bedrijven.eof()) {
        const Pair pair = pairOf(bedrijven.currentRow());
        const Fate fate = fates.of(pair);
        if (fate == Fate::Remove) {
            bedrijven.deleteRow(); // its follower is current now
            continue;
        }
        if (fate == Fate::Keep && months.differ(bedrijven, seen.wanted.at(pair))) {
            bedrijven.edit();
            months.write(bedrijven, seen.wanted.at(pair));
        }
        bedrijven.next();
    }

    // New rows: those that come back in the order they were removed, then the others.
    std::vector<std::pair<int, Pair>> added;
    for (const auto& [pair, wantedMonths] : seen.wanted) {
        if (fates.kept.contains(pair))
            continue;
        int order = std::numeric_limits<int>::max();
        if (removed)
            removed->find(pair.first, pair.second, &order);
        added.emplace_back(order, pair);
    }
    std::stable_sort(added.begin(), added.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [order, pair] : added) {
        bedrijven.append();
        if (const RelationYearRow* back =
                removed ? removed->find(pair.first, pair.second) : nullptr)
            back->write(bedrijven);
        bedrijven.fieldByName(kNaam).setAsString(pair.first);
        bedrijven.fieldByName(kJaar).setAsString(pair.second);
        months.write(bedrijven, seen.wanted.at(pair));
        bedrijven.post();
    }
    bedrijven.flush();
    // Removed rows would otherwise stay in the file as deleted records, read at every start.
    bedrijven.pack();
    return bedrijven.recordCount();
}

int transactionsChangingGroup(dbase::Table& mutaties, const GroupResolver& before,
                              const GroupResolver& after)
{
    const dbase::FilterLift all(mutaties);
    const TransactionGroups old(mutaties, &before);
    const TransactionGroups now(mutaties, &after);
    int changed = 0;
    for (mutaties.first(); !mutaties.eof(); mutaties.next())
        if (old.groupOfCurrent() != now.groupOfCurrent())
            ++changed;
    return changed;
}

} // namespace relations
