#pragma once

#include "sample/sample_random.h"

#include <QDate>
#include <QString>
#include <array>
#include <vector>

namespace sample {

// The description layouts the bank writes, one per kind of transaction.
enum class Layout
{
    Pin,     // "BEA", kind 6
    Cash,    // "GEA", kind 7
    Chip,    // "CHIP", kind 5
    Giro,    // "GIRO", kind 4
    Account, // a bank account with "." at position 4, kind 3
    Other,   // the bank's own lines without a marker, kind 3 "KOLVARO"
};
constexpr int kLayoutCount = 6;

// A counterparty of the account holder, made once per file so that its transactions group into
// one relation.
struct Party
{
    Layout layout = Layout::Other;
    QString name;                   // fixed layouts: the name column, padded or running over
    QString place;                  // fixed layouts: what follows the name column
    QString account;                // giro number or bank account
    std::vector<QString> terminals; // fixed layouts: 8-character terminal codes
    QString purpose;                // first word of a transfer's description
    int lowCents = 100;             // the usual range of an amount, without its sign
    int highCents = 1000;
    int sign = -1; // -1 money going out, +1 coming in
    int day = 0;   // standing orders: the day of the month; 0 for everyday parties
};

// Every counterparty of one sample file, made from the random source in a fixed order.
class Counterparties
{
public:
    explicit Counterparties(Random& random);

    // A party of the layout (not Other), the popular ones more often.
    const Party& pick(Layout layout, Random& random) const;
    const QString& ownAccount() const { return m_ownAccount; }

private:
    std::array<std::vector<Party>, kLayoutCount> m_pools;
    QString m_ownAccount;
};

// The line remainder (field 8) of one transaction of `party` on `date`.
QString describe(const Party& party, const QDate& date, Random& random);
// A usual amount of the party, in cents with its sign.
qint64 amountCents(const Party& party, Random& random);
// One of the bank's own lines (interest, costs, deposits) and its amount in cents.
QString describeOther(const QDate& date, qint64& cents, Random& random);

} // namespace sample
