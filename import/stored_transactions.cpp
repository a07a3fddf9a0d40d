#include "import/stored_transactions.h"

#include "import/text_ops.h"
#include "store/table_names.h"

#include <QHash>

#include <cmath>

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

// Day and amount in one number; a collision only costs the full comparison. Amounts are whole
// cents, and -0 is 0.
quint64 dayAmount(const StoredTransactions::Key& key)
{
    const auto cents = static_cast<qint64>(std::llround(key.amount * 100));
    return quint64(key.day) * 0x9E3779B97F4A7C15ull ^ quint64(cents);
}

} // namespace

StoredTransactions::Key StoredTransactions::rowKey(const dbase::RowView& row) const
{
    return {row.asDate(m_datum).toJulianDay(), row.asFloat(m_bedrag), row.asString(m_reknum),
            row.asString(m_naam), row.asString(m_omschrijving)};
}

void StoredTransactions::loadDate(const QDate& date)
{
    if (!m_loadedDays.insert(date.toJulianDay()).second)
        return;
    // The rows of one date are adjacent in DATUM order, starting at the nearest key.
    m_mutaties.findNearest(date);
    if (m_mutaties.isEmpty())
        return;
    for (int pos = m_mutaties.position(); pos < m_mutaties.recordCount(); ++pos) {
        const dbase::RowView row = m_mutaties.rowAt(pos);
        if (row.asDate(m_datum) != date)
            break;
        const Key key = rowKey(row);
        m_dayAmounts.insert(dayAmount(key));
        m_stored.insert(key);
    }
}

StoredTransactions::Key StoredTransactions::keyOf(const Transaction& transaction) const
{
    return {transaction.date.toJulianDay(), transaction.amount,
            storedText(transaction.code, m_reknumSize),
            storedText(transaction.relation, m_naamSize),
            storedText(transaction.description, m_omschrijvingSize)};
}

bool StoredTransactions::isStoredElseAdd(const Transaction& transaction,
                                         const std::optional<Transaction>& otherReading)
{
    loadDate(transaction.date);
    Key key = keyOf(transaction);
    if (m_dayAmounts.insert(dayAmount(key)).second) {
        m_stored.insert(std::move(key));
        return false;
    }
    if (otherReading && m_stored.contains(keyOf(*otherReading)))
        return true;
    return !m_stored.insert(std::move(key)).second;
}

} // namespace import
