#pragma once

#include "import/transaction.h"
#include "store/dbase/table.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

namespace import {

// Tells whether mutaties already holds a transaction: a presented row with the same datum,
// Bedrag, reknum, Naam and Omschrijving, whose balances do not tell it apart (the row or the line
// has none, or both pairs are equal). So the same line read again is found, while twins (the
// same five fields, the second starting where the first ended) are two transactions. The texts
// are compared as the table gives them back (cut to their field sizes, without trailing blanks),
// so a line with a relation name over 40 characters is recognised on the next import too; the
// kind code takes no part.
//
// The rows of a date are read when a line of that date is first tested, into a hash set; rows
// appended during the run count as soon as they are tested. This answers exactly what walking the
// rows of the date in DATUM order answers, as nothing else changes the table meanwhile, without
// walking the ~100 rows a busy date holds for every line, and a small file costs only the rows
// of its own dates, however many the table holds.
class StoredTransactions
{
public:
    explicit StoredTransactions(dbase::Table& mutaties);

    enum class Found
    {
        New,    // not stored: the caller stores it next and tells its row (rowStored)
        Stored, // stored already
        Fill,   // stored in `row` without balances: the caller gives that row the line's
    };
    struct Lookup
    {
        Found found = Found::New;
        dbase::Bookmark row = 0; // with Fill
    };

    // Whether the transaction is stored already. A new one counts as stored from now on: the
    // caller stores it next (or the run ends with an error, and the test with it). A row
    // without balances that the line matches takes the line's balances from now on (Fill), so
    // it is filled once. The texts are compared cut and stripped as the table stores them.
    // `otherReading` is the line as the other description rules read it: a row stored under
    // that reading (by an import in the other mode, or in tables made before today's layouts
    // were read) matches as well.
    Lookup lookUp(const Transaction& transaction,
                  const std::optional<Transaction>& otherReading = std::nullopt);
    // The row the last New transaction was stored in.
    void rowStored(dbase::Bookmark row);

    struct Key
    {
        qint64 day;
        double amount;
        QString code;
        QString relation;
        QString description;
        bool operator==(const Key& other) const = default;
    };
    struct KeyHash
    {
        std::size_t operator()(const Key& key) const;
    };

private:
    // A key as bytes: day, amount and the three texts, each text one byte a character when
    // every character fits in one (else two), so that equal keys are equal bytes. A million of
    // them take a fraction of the memory of the strings, and no allocation each.
    void encode(std::vector<char>& out, qint64 day, double amount, QStringView code,
                QStringView relation, QStringView description) const;
    void encode(std::vector<char>& out, const Transaction& transaction) const;
    // A key's balances in whole cents, and its row; kNoRow while the caller has not told it.
    struct Entry
    {
        bool hasBalances = false;
        qint64 before = 0;
        qint64 after = 0;
        std::uint32_t row = kNoRow;
    };
    static constexpr std::uint32_t kNoRow = std::numeric_limits<std::uint32_t>::max();
    static Entry entryOf(const std::optional<Balances>& balances, std::uint32_t row);

    // The stored keys equal to `key` (equal keys may be stored more than once: twins), by
    // number; an amount that is no number equals nothing.
    template <typename F> void forEachEqual(const std::vector<char>& key, F&& f) const;
    void add(const std::vector<char>& key, const Entry& entry);
    void grow();

    void loadDate(const QDate& date);

    dbase::Table& m_mutaties;
    int m_datum;
    int m_naam;
    int m_reknum;
    int m_omschrijving;
    int m_bedrag;
    int m_naamSize;
    int m_reknumSize;
    int m_omschrijvingSize;
    qint64 m_lastDay = std::numeric_limits<qint64>::min(); // lines come sorted by date mostly
    std::unordered_set<qint64> m_loadedDays;

    // The stored keys: bytes in blocks that never move, found through an open-addressing table
    // of (hash, key number) slots.
    struct StoredKey
    {
        const char* bytes;
        std::uint32_t size;
        Entry entry;
    };
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_blockUsed = 0;
    std::size_t m_blockSize = 0;
    std::vector<StoredKey> m_keys;
    std::vector<std::uint64_t> m_slots; // hash in the high half, key number + 1 in the low
    std::vector<char> m_scratch;
    std::vector<char> m_otherScratch;
    std::uint32_t m_lastNew = kNoRow; // key number of the last New transaction
    // The days and amounts of the stored keys, the same way: a line whose day and amount no
    // stored row has is new without comparing its texts, which most lines of a first import are.
    std::vector<std::uint64_t> m_dayAmounts; // 0 is free; a real 0 is kept aside
    std::size_t m_dayAmountCount = 0;
    bool m_dayAmountZero = false;
    bool insertDayAmount(std::uint64_t value); // true when it was new
};

} // namespace import
