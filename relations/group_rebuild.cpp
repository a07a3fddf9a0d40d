#include "relations/group_rebuild.h"

#include "relations/relation_year.h"
#include "relations/transaction_groups.h"
#include "store/dbase/update_blocker.h"
#include "store/month_fields.h"
#include "store/table_names.h"

#include <QHash>
#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace relations {

using namespace store::names;

namespace {

using Months = std::array<double, 12>;
using Pair = std::pair<QString, QString>; // (group, jaar)

// Month totals per (group, jaar), added one transaction at a time in date order, as the month
// pass adds them.
std::map<Pair, Months> totalsByGroup(dbase::Table& mutaties, const GroupResolver& groups)
{
    const dbase::FilterLift all(mutaties);
    const TransactionGroups group(mutaties, &groups);
    const dbase::Field datum = mutaties.fieldByName(kDatum);
    const dbase::Field bedrag = mutaties.fieldByName(kBedrag);
    QHash<Pair, Months> totals;
    for (mutaties.first(); !mutaties.eof(); mutaties.next()) {
        const QDate date = datum.asDate();
        if (!date.isValid())
            continue;
        Months& months = totals[Pair{group.groupOfCurrent(), yearText(date)}];
        months[static_cast<std::size_t>(date.month() - 1)] += bedrag.asFloat();
    }
    return {totals.keyValueBegin(), totals.keyValueEnd()};
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
        for (std::size_t m = 0; m < months.size(); ++m)
            bedrijven.field(fields[m]).setAsFloat(months[m]);
    }
    std::array<int, 12> fields{};
};

} // namespace

std::vector<GroupChange> plannedGroupChanges(dbase::Table& mutaties, dbase::Table& bedrijven,
                                             const GroupResolver& groups)
{
    const std::map<Pair, Months> wanted = totalsByGroup(mutaties, groups);

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
        Stored& s = stored[Pair{row.asString(naam), row.asString(jaar)}];
        ++s.rows;
        for (std::size_t m = 0; m < s.months.size(); ++m) {
            s.months[m] += row.asFloat(months.fields[m]);
            s.empty = s.empty || row.isNull(months.fields[m]);
        }
    }

    std::map<Pair, GroupChange> changes; // keyed (jaar, group): the order of the lines
    const auto note = [&](const Pair& pair, const Stored* s, const Months* w) {
        changes[Pair{pair.second, pair.first}] = {
            pair.second, pair.first, s ? yearTotal(s->months) : 0.0, w ? yearTotal(*w) : 0.0};
    };
    for (const auto& [pair, s] : stored) {
        const auto w = wanted.find(pair);
        bool changed = w == wanted.end() || s.rows != 1 || s.empty;
        for (std::size_t m = 0; m < s.months.size() && !changed; ++m)
            changed = !sameAmount(s.months[m], w->second[m]);
        if (changed)
            note(pair, &s, w == wanted.end() ? nullptr : &w->second);
    }
    for (const auto& [pair, w] : wanted)
        if (!stored.contains(pair))
            note(pair, nullptr, &w);

    std::vector<GroupChange> list;
    for (const auto& [key, change] : changes)
        list.push_back(change);
    return list;
}

int rebuildRelationYears(dbase::Table& mutaties, dbase::Table& bedrijven,
                         const GroupResolver& groups)
{
    const dbase::UpdateBlocker blockBedrijven(bedrijven);
    const dbase::UpdateBlocker blockMutaties(mutaties);
    const std::map<Pair, Months> wanted = totalsByGroup(mutaties, groups);

    const dbase::FilterLift all(bedrijven);
    const MonthFields months(bedrijven);
    const dbase::Field naam = bedrijven.fieldByName(kNaam);
    const dbase::Field jaar = bedrijven.fieldByName(kJaar);
    std::map<Pair, bool> seen;
    // Rewritten rows reach the file together at the flush.
    bedrijven.holdWritesUntilFlush();
    bedrijven.first();
    while (!bedrijven.eof()) {
        const Pair pair{naam.asString(), jaar.asString()};
        const auto it = wanted.find(pair);
        if (it == wanted.end() || seen[pair]) {
            bedrijven.deleteRow(); // its follower is current now
            continue;
        }
        seen[pair] = true;
        if (months.differ(bedrijven, it->second)) {
            bedrijven.edit();
            months.write(bedrijven, it->second);
        }
        bedrijven.next();
    }
    for (const auto& [pair, wantedMonths] : wanted) {
        if (seen[pair])
            continue;
        bedrijven.append();
        bedrijven.fieldByName(kNaam).setAsString(pair.first);
        bedrijven.fieldByName(kJaar).setAsString(pair.second);
        months.write(bedrijven, wantedMonths);
        bedrijven.post();
    }
    bedrijven.flush();
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
