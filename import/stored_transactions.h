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
// Bedrag, reknum, Naam and Omschrijving. The texts are compared as the table gives them back
// (cut to their field sizes, without trailing blanks), so a line with a relation name over 40
// characters is recognised on the next import too; the kind code takes no part.
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

    // True when the transaction is stored already. Otherwise it counts as stored from now on:
    // the caller stores it next (or the run ends with an error, and the test with it). The
    // texts are compared cut and stripped as the table stores them. `otherReading` is the line
    // as the other description rules read it: a row stored under that reading (by an import in
    // the other mode, or in tables made before today's layouts were read) matches as well.
    bool isStoredElseAdd(const Transaction& transaction,
                         const std::optional<Transaction>& otherReading = std::nullopt);

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
    // True when the encoded key is in the set; otherwise adds it when `add` is set.
    bool findOrAdd(const std::vector<char>& key, bool add);
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
    };
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_blockUsed = 0;
    std::size_t m_blockSize = 0;
    std::vector<StoredKey> m_keys;
    std::vector<std::uint64_t> m_slots; // hash in the high half, key number + 1 in the low
    std::vector<char> m_scratch;
    std::vector<char> m_otherScratch;
    // The days and amounts of the stored keys, the same way: a line whose day and amount no
    // stored row has is new without comparing its texts, which most lines of a first import are.
    std::vector<std::uint64_t> m_dayAmounts; // 0 is free; a real 0 is kept aside
    std::size_t m_dayAmountCount = 0;
    bool m_dayAmountZero = false;
    bool insertDayAmount(std::uint64_t value); // true when it was new
};

} // namespace import
