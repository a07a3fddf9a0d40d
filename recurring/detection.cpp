#include "recurring/detection.h"

#include "recurring/amount_levels.h"
#include "recurring/series_chain.h"
#include "store/transaction_kinds.h"

#include <QHash>
#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace recurring {
namespace {

// Work allowed per set and rhythm: a counterparty with thousands of payments is refused rather
// than searched for long.
constexpr long kBudget = 200000;

struct Candidates
{
    PaymentSet set;
    std::vector<std::size_t> origin; // index into all payments, per payment of the set
};

QString identityOf(bool byReknum, const Payment& p)
{
    return byReknum ? u"reknum:"_s + p.reknum : u"groep:"_s + p.group;
}

qint64 typicalOfVariable(const std::vector<Payment>& series)
{
    const QDate since = series.back().date.addYears(-1);
    qint64 sum = 0;
    qint64 count = 0;
    for (const Payment& p : series)
        if (p.date > since) {
            sum += p.cents;
            ++count;
        }
    return count == 0 ? series.back().cents : sum / count;
}

RecurringItem makeItem(const QString& identity, const RhythmRule& rule, std::vector<Payment> series,
                       const AmountVerdict& verdict, QDate asOf)
{
    RecurringItem item;
    const Payment& last = series.back();
    item.income = last.cents > 0;
    item.key = itemKey(identity, rule.rhythm, item.income);
    item.relation = last.group.isEmpty() ? last.reknum : last.group;
    item.rhythm = rule.rhythm;
    item.lastCents = last.cents;
    item.last = last.date;
    const int months = rhythmMonths(rule.rhythm);
    item.next = last.date.addMonths(months);
    const bool variable = verdict.kind == AmountKind::Variable;
    // Overdue by more than half the rhythm: the series ended.
    if (item.next.daysTo(asOf) > months * 365 / 24)
        item.status = ItemStatus::Stopped;
    else if (variable)
        item.status = ItemStatus::Variable;
    item.typicalCents = variable ? typicalOfVariable(series) : last.cents;
    item.rise = verdict.rise;
    item.payments = std::move(series);
    return item;
}

// Other payments to the counterparty make a series chance: between the payments of a monthly or
// quarterly series a third of the payments may be others; a counterparty paid once or twice a
// year is seldom paid otherwise at all.
bool tooManyStrays(const PaymentSet& set, const std::vector<std::size_t>& chain,
                   const RhythmRule& rule)
{
    if (rhythmMonths(rule.rhythm) >= 6)
        return strayPayments(set, chain, true) * 4 > chain.size();
    return strayPayments(set, chain, false) * 2 > chain.size();
}

bool paidByCard(const PaymentSet& set, const std::vector<std::size_t>& chain)
{
    return std::any_of(chain.begin(), chain.end(), [&](std::size_t i) {
        const int kind = set.payments[i].kind;
        return kind == store::kinds::kPin || kind == store::kinds::kChip;
    });
}

// Amounts that vary are no evidence of their own: a variable bill is collected or transferred
// (a shop paid by card now and then is no bill), comes nearly every month and is nearly all that
// is paid to the counterparty meanwhile.
bool steadyBill(const PaymentSet& set, const std::vector<std::size_t>& chain)
{
    if (paidByCard(set, chain))
        return false;
    int missed = 0;
    for (std::size_t k = 1; k < chain.size(); ++k) {
        const qint64 days = set.payments[chain[k - 1]].date.daysTo(set.payments[chain[k]].date);
        missed += int((days + 15) / 30) - 1;
    }
    return std::size_t(missed) * 4 <= chain.size() &&
           strayPayments(set, chain, false) * 4 <= chain.size();
}

// Finds the items of one counterparty and sign, shortest rhythm first, each payment in one item
// at most. Of two series with one key the later stands (a subscription taken up again).
void detectInSet(const QString& identity, Candidates& c, QDate asOf,
                 std::map<QString, RecurringItem>& found, std::vector<char>& taken)
{
    PaymentSet& set = c.set;
    const std::size_t n = set.payments.size();
    for (const RhythmRule& rule : rhythmRules()) {
        const auto free = std::size_t(std::count(set.taken.begin(), set.taken.end(), 0));
        if (free < std::size_t(rule.minimumCount) || busyInMostPeriods(set, rule.rhythm))
            continue;
        long budget = kBudget;
        for (std::size_t start = 0; start < n && budget > 0; ++start) {
            if (set.taken[start])
                continue;
            const std::vector<std::size_t> chain = followRhythm(set, start, rule, budget);
            // Two visits to a shop a year apart are chance; a yearly fee is collected or paid
            // by transfer.
            if (chain.size() < std::size_t(rule.minimumCount) || tooManyStrays(set, chain, rule) ||
                (chain.size() == 2 && paidByCard(set, chain)))
                continue;
            std::vector<Payment> series;
            series.reserve(chain.size());
            for (std::size_t i : chain)
                series.push_back(set.payments[i]);
            const AmountVerdict verdict = judgeAmounts(series, rule.rhythm);
            if (verdict.kind == AmountKind::Irregular ||
                (verdict.kind == AmountKind::Variable && !steadyBill(set, chain)))
                continue;
            for (std::size_t i : chain) {
                set.taken[i] = 1;
                taken[c.origin[i]] = 1;
            }
            RecurringItem item = makeItem(identity, rule, std::move(series), verdict, asOf);
            const auto same = found.find(item.key);
            if (same == found.end())
                found.emplace(item.key, std::move(item));
            else if (same->second.last < item.last)
                same->second = std::move(item);
        }
    }
}

// The sets of one pass: by reknum where it names a counterparty under several groups (or
// without one), else by group; payments an earlier pass placed are left out.
std::map<QString, Candidates> setsOf(const std::vector<Payment>& payments,
                                     const std::vector<char>& taken, bool byReknum)
{
    QHash<QString, QString> groupOfReknum; // per sign and reknum: its group, or a mark of several
    const QString several = u"\x01"_s;
    if (byReknum)
        for (const Payment& p : payments) {
            if (p.reknum.isEmpty())
                continue;
            const QString k = (p.cents > 0 ? u"+"_s : u"-"_s) + p.reknum;
            const auto it = groupOfReknum.find(k);
            if (it == groupOfReknum.end())
                groupOfReknum.insert(k, p.group.isEmpty() ? several : p.group);
            else if (*it != p.group)
                *it = several;
        }
    std::map<QString, Candidates> sets;
    for (std::size_t i = 0; i < payments.size(); ++i) {
        const Payment& p = payments[i];
        if (taken[i])
            continue;
        if (byReknum) {
            if (p.reknum.isEmpty() ||
                groupOfReknum.value((p.cents > 0 ? u"+"_s : u"-"_s) + p.reknum) != several)
                continue;
        } else if (p.group.isEmpty()) {
            continue;
        }
        Candidates& c = sets[(p.cents > 0 ? u"+"_s : u"-"_s) + identityOf(byReknum, p)];
        c.set.payments.push_back(p);
        c.set.taken.push_back(0);
        c.origin.push_back(i);
    }
    return sets;
}

} // namespace

std::vector<RecurringItem> detectRecurring(std::vector<Payment> payments, QDate asOf)
{
    // Cash taken out is money kept, paid to no one: never a fixed cost.
    std::erase_if(payments, [&](const Payment& p) {
        return p.cents == 0 || !p.date.isValid() || !asOf.isValid() || p.date > asOf ||
               p.kind == store::kinds::kCash;
    });
    std::stable_sort(payments.begin(), payments.end(),
                     [](const Payment& a, const Payment& b) { return a.date < b.date; });
    std::vector<char> taken(payments.size(), 0);
    std::map<QString, RecurringItem> found;
    for (const bool byReknum : {true, false})
        for (auto& [name, candidates] : setsOf(payments, taken, byReknum))
            detectInSet(identityOf(byReknum, candidates.set.payments.front()), candidates, asOf,
                        found, taken);

    std::vector<RecurringItem> items;
    items.reserve(found.size());
    for (auto& [key, item] : found)
        items.push_back(std::move(item));
    std::sort(items.begin(), items.end(), [](const RecurringItem& a, const RecurringItem& b) {
        if (const int c = a.relation.compare(b.relation, Qt::CaseInsensitive); c != 0)
            return c < 0;
        if (const int c = a.relation.compare(b.relation); c != 0)
            return c < 0;
        if (a.rhythm != b.rhythm)
            return a.rhythm < b.rhythm;
        return a.income < b.income;
    });
    return items;
}

} // namespace recurring
