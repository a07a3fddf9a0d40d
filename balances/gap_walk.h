#pragma once

#include "store/table_names.h"

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace dbase {
class Table;
}

// The bank's balance before and after each transaction chain the transactions in the bank's
// own order; where the chain breaks, transactions are missing from the tables.
namespace balances {

// The two balance fields of mutaties; a table without them has no balances.
inline const QString& kSaldoVoor = store::names::kSaldoVoor;
inline const QString& kSaldoNa = store::names::kSaldoNa;

// How many days a line's date may lie from its place in the bank's order.
inline constexpr int kDaysOff = 7;
// How many days apart two neighbours in the bank's order may be dated: each may be off.
inline constexpr int kNeighbourDays = 2 * kDaysOff;

// A transaction with both balances, in whole cents.
struct BalanceRow
{
    qint64 day = 0; // Julian day of its date
    qint64 before = 0;
    qint64 after = 0;
};

struct Gap
{
    QDate lastBefore;        // the date of the last transaction before the missing ones
    QDate firstAfter;        // the date of the first one after them
    qint64 missingCents = 0; // what the missing ones brought in (negative: took out)

    bool operator==(const Gap&) const = default;
};

struct Walk
{
    std::vector<Gap> gaps; // in date order
    // Indexes into the walked rows, in the order the balances chain them.
    std::vector<int> chainOrder;
};

// Walks rows sorted by day (equal days in any order).
Walk walkBalances(const std::vector<BalanceRow>& rows);

// The rows of `mutaties` that have both balances: every stored row (whatever the filter
// presents) or the presented ones, in date order. `records` receives each row's record bytes,
// which identify it across the stored and the presented rows. None when the fields are absent.
std::vector<BalanceRow> balanceRows(const dbase::Table& mutaties, bool storedRows,
                                    std::vector<const char*>* records = nullptr);

// The gaps of all stored rows of `mutaties`.
std::vector<Gap> storedGaps(const dbase::Table& mutaties);

} // namespace balances
