#include "import/stored_transactions.h"

#include "import/text_ops.h"
#include "store/table_names.h"

#include <QHash>

#include <cmath>
#include <cstring>

namespace import {

using namespace store::names;

std::size_t StoredTransactions::KeyHash::operator()(const Key& key) const
{
    // 0.0 and -0.0 are equal amounts and must hash alike. The starts of the texts tell the
    // transactions of one day and amount apart well enough; hashing long descriptions whole
    // would cost more than the rare equal start does.
    return qHashMulti(0, key.day, key.amount + 0.0, QStringView(key.code).left(16),
                      QStringView(key.relation).left(24), QStringView(key.description).left(48));
}

StoredTransactions::StoredTransactions(dbase::Table& mutaties)
    : m_mutaties(mutaties), m_datum(mutaties.fieldByName(kDatum).index()),
      m_naam(mutaties.fieldByName(kNaam).index()), m_reknum(mutaties.fieldByName(kReknum).index()),
      m_omschrijving(mutaties.fieldByName(kOmschrijving).index()),
      m_bedrag(mutaties.fieldByName(kBedrag).index()), m_naamSize(mutaties.field(m_naam).size()),
      m_reknumSize(mutaties.field(m_reknum).size()),
      m_omschrijvingSize(mutaties.field(m_omschrijving).size())
{
}

namespace {

constexpr std::size_t kBlockSize = 1 << 20;
constexpr std::size_t kFirstSlots = 1 << 12;

// Day and amount in one number; a collision only costs the full comparison. Amounts are whole
// cents, and -0 is 0.
quint64 dayAmount(qint64 day, double amount)
{
    const auto cents = static_cast<qint64>(std::llround(amount * 100));
    return quint64(day) * 0x9E3779B97F4A7C15ull ^ quint64(cents);
}

// Spreads a number over all bits, for the day-amount table's slots.
std::uint64_t mix(std::uint64_t x)
{
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdull;
    x ^= x >> 33;
    return x;
}

void appendBytes(std::vector<char>& out, const void* bytes, std::size_t size)
{
    const std::size_t at = out.size();
    out.resize(at + size);
    std::memcpy(out.data() + at, bytes, size);
}

// A text's length and width, then its characters: one byte each when all fit, else two.
void appendText(std::vector<char>& out, QStringView text)
{
    const char16_t* chars = text.utf16();
    const auto size = static_cast<std::uint32_t>(text.size());
    const std::size_t head = out.size();
    out.resize(head + sizeof size + size);
    // Narrowed in one pass; the rare text with a wider character is written again wide.
    char* narrow = out.data() + head + sizeof size;
    char16_t all = 0;
    for (std::uint32_t i = 0; i < size; ++i) {
        all |= chars[i];
        narrow[i] = static_cast<char>(chars[i]);
    }
    const bool wide = all > 0xFF;
    const std::uint32_t mark = size << 1 | (wide ? 1u : 0u);
    std::memcpy(out.data() + head, &mark, sizeof mark);
    if (wide) {
        out.resize(head + sizeof size + size * sizeof(char16_t));
        std::memcpy(out.data() + head + sizeof size, chars, size * sizeof(char16_t));
    }
}

} // namespace

void StoredTransactions::encode(std::vector<char>& out, qint64 day, double amount, QStringView code,
                                QStringView relation, QStringView description) const
{
    out.clear();
    // Equal amounts must be equal bytes: -0 becomes 0.
    const double value = amount + 0.0;
    appendBytes(out, &day, sizeof day);
    appendBytes(out, &value, sizeof value);
    appendText(out, code);
    appendText(out, relation);
    appendText(out, description);
}

void StoredTransactions::encode(std::vector<char>& out, const Transaction& transaction) const
{
    encode(out, transaction.date.toJulianDay(), transaction.amount,
           storedTextView(transaction.code, m_reknumSize),
           storedTextView(transaction.relation, m_naamSize),
           storedTextView(transaction.description, m_omschrijvingSize));
}

void StoredTransactions::grow()
{
    const std::size_t size = m_slots.empty() ? kFirstSlots : m_slots.size() * 2;
    std::vector<std::uint64_t> table(size, 0);
    const std::size_t mask = size - 1;
    for (const std::uint64_t slot : m_slots) {
        if (slot == 0)
            continue;
        std::size_t at = (slot >> 32) & mask;
        while (table[at] != 0)
            at = (at + 1) & mask;
        table[at] = slot;
    }
    m_slots.swap(table);
}

namespace {

std::uint32_t keyHash(const std::vector<char>& key)
{
    return static_cast<std::uint32_t>(qHashBits(key.data(), key.size(), 0x4b6f6c76));
}

// An amount that is no number equals nothing, not even itself: never found, never kept.
bool amountIsNan(const std::vector<char>& key)
{
    double amount;
    std::memcpy(&amount, key.data() + sizeof(qint64), sizeof amount);
    return std::isnan(amount);
}

qint64 cents(double value)
{
    return std::llround(value * 100);
}

} // namespace

StoredTransactions::Entry StoredTransactions::entryOf(const std::optional<Balances>& balances,
                                                      std::uint32_t row)
{
    Entry entry;
    entry.row = row;
    if (balances) {
        entry.hasBalances = true;
        entry.before = cents(balances->before);
        entry.after = cents(balances->after);
    }
    return entry;
}

template <typename F>
void StoredTransactions::forEachEqual(const std::vector<char>& key, F&& f) const
{
    if (m_slots.empty() || amountIsNan(key))
        return;
    const std::uint32_t hash = keyHash(key);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask; m_slots[at] != 0; at = (at + 1) & mask) {
        if (std::uint32_t(m_slots[at] >> 32) != hash)
            continue;
        const std::uint32_t number = std::uint32_t(m_slots[at]) - 1;
        const StoredKey& stored = m_keys[number];
        if (stored.size == key.size() && std::memcmp(stored.bytes, key.data(), key.size()) == 0 &&
            f(number))
            return;
    }
}

void StoredTransactions::add(const std::vector<char>& key, const Entry& entry)
{
    if (amountIsNan(key))
        return;
    if (m_slots.empty())
        grow();
    const std::uint32_t hash = keyHash(key);
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = hash & mask;
    while (m_slots[at] != 0)
        at = (at + 1) & mask;
    if (m_blockSize - m_blockUsed < key.size()) {
        m_blockSize = std::max(kBlockSize, key.size());
        m_blocks.push_back(std::make_unique<char[]>(m_blockSize));
        m_blockUsed = 0;
    }
    char* bytes = m_blocks.back().get() + m_blockUsed;
    std::memcpy(bytes, key.data(), key.size());
    m_blockUsed += key.size();
    m_keys.push_back({bytes, static_cast<std::uint32_t>(key.size()), entry});
    m_slots[at] = std::uint64_t(hash) << 32 | std::uint32_t(m_keys.size());
    // At most half full, so that a search meets a free slot soon.
    if (m_keys.size() * 2 > m_slots.size())
        grow();
}

bool StoredTransactions::insertDayAmount(std::uint64_t value)
{
    if (value == 0) {
        const bool added = !m_dayAmountZero;
        m_dayAmountZero = true;
        return added;
    }
    if ((m_dayAmountCount + 1) * 2 > m_dayAmounts.size()) {
        std::vector<std::uint64_t> old(std::max<std::size_t>(kFirstSlots, m_dayAmounts.size() * 2),
                                       0);
        old.swap(m_dayAmounts);
        const std::size_t mask = m_dayAmounts.size() - 1;
        for (const std::uint64_t v : old) {
            if (v == 0)
                continue;
            std::size_t at = mix(v) & mask;
            while (m_dayAmounts[at] != 0)
                at = (at + 1) & mask;
            m_dayAmounts[at] = v;
        }
    }
    const std::size_t mask = m_dayAmounts.size() - 1;
    std::size_t at = mix(value) & mask;
    for (; m_dayAmounts[at] != 0; at = (at + 1) & mask)
        if (m_dayAmounts[at] == value)
            return false;
    m_dayAmounts[at] = value;
    ++m_dayAmountCount;
    return true;
}

void StoredTransactions::loadDate(const QDate& date)
{
    const qint64 day = date.toJulianDay();
    if (day == m_lastDay)
        return;
    m_lastDay = day;
    if (!m_loadedDays.insert(day).second)
        return;
    // The rows of one date are adjacent in DATUM order, starting at the nearest key.
    m_mutaties.findNearest(date);
    if (m_mutaties.isEmpty())
        return;
    // Asked each time: a table of an earlier version gains the balances at its first write.
    const int before = m_mutaties.fieldIndex(kSaldoVoor);
    const int after = m_mutaties.fieldIndex(kSaldoNa);
    for (int pos = m_mutaties.position(); pos < m_mutaties.recordCount(); ++pos) {
        const dbase::RowView row = m_mutaties.rowAt(pos);
        if (row.asDate(m_datum) != date)
            break;
        const qint64 rowDay = row.asDate(m_datum).toJulianDay();
        const double amount = row.asFloat(m_bedrag);
        encode(m_scratch, rowDay, amount, row.asString(m_reknum), row.asString(m_naam),
               row.asString(m_omschrijving));
        insertDayAmount(dayAmount(rowDay, amount));
        // A row with one balance only (a rewrite cut short) has none: the next line fills it.
        std::optional<Balances> balances;
        if (before >= 0 && after >= 0 && !row.isNull(before) && !row.isNull(after))
            balances = Balances{row.asFloat(before), row.asFloat(after)};
        add(m_scratch, entryOf(balances, m_mutaties.bookmarkAt(pos)));
    }
}

StoredTransactions::Lookup
StoredTransactions::lookUp(const Transaction& transaction,
                           const std::optional<Transaction>& otherReading)
{
    loadDate(transaction.date);
    encode(m_scratch, transaction);
    const Entry line = entryOf(transaction.balances, kNoRow);
    const auto addNew = [&] {
        const std::size_t before = m_keys.size();
        add(m_scratch, line);
        m_lastNew = m_keys.size() > before ? static_cast<std::uint32_t>(before) : kNoRow;
        return Lookup{Found::New, 0};
    };
    if (insertDayAmount(dayAmount(transaction.date.toJulianDay(), transaction.amount)))
        return addNew();

    // Under either reading: a row the balances do not tell apart is this line; failing that, a
    // row without balances is, and takes the line's.
    std::uint32_t same = kNoRow;
    std::uint32_t withoutBalances = kNoRow;
    const auto consider = [&](std::uint32_t number) {
        const Entry& stored = m_keys[number].entry;
        if (!line.hasBalances ||
            (stored.hasBalances && stored.before == line.before && stored.after == line.after)) {
            same = number;
            return true;
        }
        if (!stored.hasBalances && withoutBalances == kNoRow)
            withoutBalances = number;
        return false;
    };
    if (otherReading) {
        encode(m_otherScratch, *otherReading);
        forEachEqual(m_otherScratch, consider);
    }
    if (same == kNoRow)
        forEachEqual(m_scratch, consider);
    if (same != kNoRow)
        return {Found::Stored, 0};
    if (withoutBalances != kNoRow) {
        Entry& stored = m_keys[withoutBalances].entry;
        stored.hasBalances = true;
        stored.before = line.before;
        stored.after = line.after;
        // A row whose number was never told (its run failed) is not written.
        if (stored.row == kNoRow)
            return {Found::Stored, 0};
        return {Found::Fill, stored.row};
    }
    return addNew();
}

void StoredTransactions::rowStored(dbase::Bookmark row)
{
    if (m_lastNew != kNoRow)
        m_keys[m_lastNew].entry.row = row;
    m_lastNew = kNoRow;
}

} // namespace import
