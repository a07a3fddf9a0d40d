#pragma once

#include "import/transaction.h"
#include "store/dbase/table.h"

#include <QDate>
#include <QString>
#include <optional>
#include <unordered_set>

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
    void loadDate(const QDate& date);
    Key rowKey(const dbase::RowView& row) const;
    Key keyOf(const Transaction& transaction) const;

    dbase::Table& m_mutaties;
    int m_datum;
    int m_naam;
    int m_reknum;
    int m_omschrijving;
    int m_bedrag;
    int m_naamSize;
    int m_reknumSize;
    int m_omschrijvingSize;
    std::unordered_set<qint64> m_loadedDays;
    std::unordered_set<Key, KeyHash> m_stored;
    // The days and amounts of m_stored: a line whose day and amount no stored row has is new
    // without comparing its texts, which most lines of a first import are.
    std::unordered_set<quint64> m_dayAmounts;
};

} // namespace import
