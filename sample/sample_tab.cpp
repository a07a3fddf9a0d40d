#include "sample/sample_tab.h"

#include "import/filtergegevens.h"
#include "import/stored_transactions.h"
#include "import/tab_columns.h"
#include "import/text_ops.h"
#include "sample/counterparties.h"
#include "sample/current_descriptions.h"
#include "sample/sample_plan.h"
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

constexpr qsizetype kChunk = 1 << 20;

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

// The amount and description of the transaction a slot of the plan stands for.
struct Drawn
{
    qint64 cents = 0;
    QString remainder;
};

Drawn draw(const Slot& slot, const QDate& date, const Counterparties& parties,
           const std::vector<StandingOrder>& orders, const SampleOptions& options, Random& random)
{
    Drawn drawn;
    if (slot.source >= 0) {
        const Party& party = orders[std::size_t(slot.source)].party;
        drawn.cents = slot.cents;
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
                    const std::vector<StandingOrder>& orders, const SampleOptions& options,
                    Random& random, const ImportKeys& keys, DayKeys& today, qint64& balance,
                    QString& line)
{
    for (int attempt = 0;; ++attempt) {
        if (attempt == 1000)
            throw std::logic_error("no unique sample line for this date");
        const Drawn drawn = draw(slot, date, parties, orders, options, random);
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
    const std::vector<StandingOrder> orders = makeStandingOrders(random);
    SampleCounts counts = plannedCounts(options);
    const std::vector<Slot> plan = schedule(options, orders, counts.unique, random);
    std::vector<int> copies(plan.size(), 0);
    for (int i = 0; i < counts.copies; ++i)
        ++copies[std::size_t(random.below(counts.unique))];

    const QDate first(options.startYear, 1, 1);
    const std::vector<Gap> gaps = chooseGaps(plan, periodDays(options), options.gaps, options.seed);
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
        drawUniqueLine(slot, date, parties, orders, options, random, keys, today, balance, line);
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
