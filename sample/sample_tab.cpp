#include "sample/sample_tab.h"

#include "import/filtergegevens.h"
#include "import/stored_transactions.h"
#include "import/tab_columns.h"
#include "import/text_ops.h"
#include "sample/counterparties.h"
#include "sample/current_descriptions.h"
#include "store/dbase/cp1252.h"
#include "store/table_definitions.h"
#include "store/table_names.h"

#include <QDate>
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <stdexcept>
#include <unordered_set>
#include <vector>

using namespace Qt::StringLiterals;
namespace tab = import::tab;

namespace sample {
namespace {

// Per mille of the lines that are not standing orders, in the order of Layout.
constexpr std::array<int, kLayoutCount> kShares = {480, 90, 60, 170, 130, 70};
constexpr qsizetype kChunk = 1 << 20;

struct Slot
{
    int day;       // days after the first day of the period
    quint32 order; // place among the lines of its day
    int source;    // index of a standing order, or -1 - layout
};

int fieldWidth(const QString& name)
{
    for (const dbase::FieldDef& field : store::mutatiesDefinition().fields)
        if (field.name.compare(name, Qt::CaseInsensitive) == 0)
            return field.width;
    throw std::logic_error("mutaties has no such field");
}

// The transaction the import makes of a line, as its duplicate test compares it: only then can
// the file promise how many lines an import stores.
class ImportKeys
{
public:
    ImportKeys()
        : m_code(fieldWidth(store::names::kReknum)), m_name(fieldWidth(store::names::kNaam)),
          m_description(fieldWidth(store::names::kOmschrijving))
    {
    }

    // The line as each of the two description rules reads it: the import, in either mode,
    // takes a line as stored when a row matches either reading.
    std::vector<import::StoredTransactions::Key> keysOf(const QString& line) const
    {
        const import::LineValues values = import::filtergegevens(line);
        std::vector<import::StoredTransactions::Key> keys{keyOf(values, values.classification)};
        if (values.otherReading)
            keys.push_back(keyOf(values, *values.otherReading));
        return keys;
    }

private:
    import::StoredTransactions::Key keyOf(const import::LineValues& values,
                                          const import::Classification& c) const {
        return {values.date.toJulianDay(), values.amount,
                import::storedText(import::trimControls(c.code), m_code),
                import::storedText(import::trimControls(c.relation), m_name),
                import::storedText(import::trimControls(c.description), m_description)};
}

int m_code;
int m_name;
int m_description;
}; // namespace

// The year from which the bank writes today's layouts.
constexpr int kCurrentLayoutsFrom = 2014;

bool currentLayout(SampleLayout layout, const QDate& date)
{
    return layout == SampleLayout::Current ||
           (layout == SampleLayout::Mixed && date.year() >= kCurrentLayoutsFrom);
}

// "-1234,56": the bank writes no thousands separators.
QString money(qint64 cents)
{
    const qint64 size = cents < 0 ? -cents : cents;
    return (cents < 0 ? u"-"_s : QString()) + QString::number(size / 100) + u',' +
           QString::number(size % 100).rightJustified(2, u'0');
}

QString dateField(const QDate& date)
{
    return QString::number(date.year() * 10000 + date.month() * 100 + date.day());
}

Layout pickLayout(Random& random)
{
    int roll = random.below(1000);
    for (int layout = 0; layout < kLayoutCount; ++layout) {
        roll -= kShares[std::size_t(layout)];
        if (roll < 0)
            return Layout(layout);
    }
    return Layout::Other;
}

std::vector<Slot> schedule(const SampleOptions& options, const Counterparties& parties, int unique,
                           Random& random)
{
    const QDate first(options.startYear, 1, 1);
    const int days = int(first.daysTo(first.addYears(options.years)));
    std::vector<Slot> plan;
    plan.reserve(std::size_t(unique));
    // Standing orders take at most half of the file, so that a short one still shows shops.
    const int months = 12 * options.years;
    const auto& standing = parties.standingOrders();
    for (std::size_t i = 0; i < standing.size(); ++i) {
        if (int(plan.size()) + months > unique / 2)
            break;
        for (int m = 0; m < months; ++m) {
            const QDate date(options.startYear + m / 12, m % 12 + 1, standing[i].day);
            plan.push_back({int(first.daysTo(date)), quint32(random.next()), int(i)});
        }
    }
    while (int(plan.size()) < unique)
        plan.push_back({random.below(days), quint32(random.next()), -1 - int(pickLayout(random))});
    std::stable_sort(plan.begin(), plan.end(), [](const Slot& a, const Slot& b) {
        return a.day != b.day ? a.day < b.day : a.order < b.order;
    });
    return plan;
}

// A period left out of the file: days first to last, both included.
struct Gap
{
    int first;
    int last;
};

constexpr int kShortestGap = 3;
constexpr int kLongestGap = 31;

// Whether one of the sorted days lies strictly between `after` and `before`.
bool dayBetween(const std::vector<int>& days, int after, int before)
{
    const auto next = std::upper_bound(days.begin(), days.end(), after);
    return next != days.end() && *next < before;
}

// The gaps, sorted: each holds lines, and lines lie before, between and after them, so that
// every gap is a break of its own in the balance chain. Random of its own, so that the other
// fields of the file are the same with and without gaps.
std::vector<Gap> chooseGaps(const std::vector<Slot>& plan, int days, int count, quint64 seed)
{
    std::vector<Gap> gaps;
    if (count <= 0)
        return gaps;
    std::vector<int> lineDays;
    for (const Slot& slot : plan)
        if (lineDays.empty() || lineDays.back() != slot.day)
            lineDays.push_back(slot.day);
    Random random(seed ^ 0x6761707300000000ull);
    // Each gap takes its days and a day of lines after it.
    const int attempts = count <= days / (kShortestGap + 1) ? 2000 * count : 0;
    for (int attempt = 0; attempt < attempts && int(gaps.size()) < count; ++attempt) {
        const int first = random.between(1, days - 1 - kShortestGap);
        const int last = std::min(first + random.between(kShortestGap, kLongestGap) - 1, days - 2);
        if (last - first + 1 < kShortestGap || !dayBetween(lineDays, first - 1, last + 1))
            continue;
        const auto place =
            std::upper_bound(gaps.begin(), gaps.end(), first,
                             [](int day, const Gap& gap) { return day < gap.first; });
        const int before = place == gaps.begin() ? -1 : std::prev(place)->last;
        const int after = place == gaps.end() ? days : place->first;
        if (before >= first || after <= last || !dayBetween(lineDays, before, first) ||
            !dayBetween(lineDays, last, after))
            continue;
        gaps.insert(place, {first, last});
    }
    if (int(gaps.size()) < count)
        throw std::invalid_argument(
            QStringLiteral("Geen ruimte voor %1 gaten tussen de regels").arg(count).toStdString());
    return gaps;
}

// The amount and description of the transaction a slot of the plan stands for.
struct Drawn
{
    qint64 cents = 0;
    QString remainder;
};

Drawn draw(const Slot& slot, const QDate& date, const Counterparties& parties,
           const SampleOptions& options, Random& random)
{
    Drawn drawn;
    if (slot.source >= 0) {
        const Party& party = parties.standingOrders()[std::size_t(slot.source)];
        const int raise = 100 + 2 * (date.year() - options.startYear); // yearly index
        drawn.cents = party.sign * qint64(party.lowCents) * raise / 100;
        drawn.remainder = currentLayout(options.layout, date)
                              ? describeCurrent(party, date, drawn.cents, random)
                              : describe(party, date, random);
    } else if (const Layout layout = Layout(-1 - slot.source); layout == Layout::Other) {
        drawn.remainder = describeOther(date, drawn.cents, random);
    } else {
        const Party& party = parties.pick(layout, random);
        drawn.cents = amountCents(party, random);
        drawn.remainder = currentLayout(options.layout, date)
                              ? describeCurrent(party, date, drawn.cents, random)
                              : describe(party, date, random);
    }
    return drawn;
}

// The fields of a line in the bank's column order, tab-separated, into `line` (which keeps its
// room for the next line).
void joinFields(const std::array<QString, tab::kDescription + 1>& fields, QString& line)
{
    line.resize(0);
    for (std::size_t c = 0; c < fields.size(); ++c) {
        if (c > 0)
            line.append(u'\t');
        line.append(fields[c]);
    }
}

// The line in Windows-1252 with CRLF, followed by its copies, as overlapping exports give them.
void appendLine(const QString& line, int copies, QByteArray& out)
{
    const qsizetype start = out.size();
    out.resize(start + line.size() + 2);
    dbase::cp1252::encodeInto(line, out.data() + start);
    out[out.size() - 2] = '\r';
    out[out.size() - 1] = '\n';
    if (copies > 0) {
        const QByteArray original = out.sliced(start);
        for (int copy = 0; copy < copies; ++copy)
            out += original;
    }
}

using DayKeys =
    std::unordered_set<import::StoredTransactions::Key, import::StoredTransactions::KeyHash>;

// The slot's line, drawn again until no line of its day reads the same (the import would take it
// for a copy); the balance moves on by its amount.
void drawUniqueLine(const Slot& slot, const QDate& date, const Counterparties& parties,
                    const SampleOptions& options, Random& random, const ImportKeys& keys,
                    DayKeys& today, qint64& balance, QString& line)
{
    for (int attempt = 0;; ++attempt) {
        if (attempt == 1000)
            throw std::logic_error("no unique sample line for this date");
        const Drawn drawn = draw(slot, date, parties, options, random);
        std::array<QString, tab::kDescription + 1> fields;
        fields[tab::kAccount] = parties.ownAccount();
        fields[tab::kCurrency] = u"EUR"_s;
        fields[tab::kDate] = dateField(date);
        fields[tab::kBalanceBefore] = money(balance);
        fields[tab::kBalanceAfter] = money(balance + drawn.cents);
        fields[tab::kInterestDate] = dateField(random.chance(100) ? date.addDays(1) : date);
        fields[tab::kAmount] = money(drawn.cents);
        fields[tab::kDescription] = drawn.remainder;
        joinFields(fields, line);
        const std::vector<import::StoredTransactions::Key> readings = keys.keysOf(line);
        const bool unique = std::none_of(readings.begin(), readings.end(),
                                         [&](const auto& key) { return today.contains(key); });
        if (unique) {
            today.insert(readings.begin(), readings.end());
            balance += drawn.cents;
            return;
        }
    }
}

} // namespace sample

SampleCounts writeSampleTab(const SampleOptions& options,
                            const std::function<void(QByteArrayView)>& sink)
{
    Random random(options.seed);
    const Counterparties parties(random);
    SampleCounts counts;
    if (options.lines > 0) {
        const qint64 wanted = std::llround(double(options.lines) * options.dupFraction);
        counts.copies = int(std::clamp<qint64>(wanted, 0, options.lines - 1));
        counts.unique = options.lines - counts.copies;
    }
    const std::vector<Slot> plan = schedule(options, parties, counts.unique, random);
    std::vector<int> copies(plan.size(), 0);
    for (int i = 0; i < counts.copies; ++i)
        ++copies[std::size_t(random.below(counts.unique))];

    const QDate first(options.startYear, 1, 1);
    const std::vector<Gap> gaps = chooseGaps(plan, int(first.daysTo(first.addYears(options.years))),
                                             options.gaps, options.seed);
    auto gap = gaps.begin();
    const ImportKeys keys;
    DayKeys today;
    int currentDay = -1;
    qint64 balance = random.between(50000, 600000);
    QByteArray out;
    out.reserve(kChunk + 4096);
    QString line;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const Slot& slot = plan[i];
        const QDate date = first.addDays(slot.day);
        if (slot.day != currentDay) {
            today.clear(); // the duplicate test only ever compares lines of one date
            currentDay = slot.day;
        }
        drawUniqueLine(slot, date, parties, options, random, keys, today, balance, line);
        while (gap != gaps.end() && gap->last < slot.day)
            ++gap;
        if (gap != gaps.end() && gap->first <= slot.day) {
            // Drawn all the same, so that the balance runs on and the lines after it are those
            // of the file without gaps.
            --counts.unique;
            counts.copies -= copies[i];
            continue;
        }
        appendLine(line, copies[i], out);
        if (out.size() >= kChunk) {
            sink(out);
            out.resize(0); // keeps its room
        }
    }
    if (!out.isEmpty())
        sink(out);
    return counts;
}

} // namespace sample
