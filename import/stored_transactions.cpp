#include "import/stored_transactions.h"

#include "import/text_ops.h"
#include "store/table_names.h"

#include <QHash>

namespace import {

using namespace store::names;

std::size_t StoredTransactions::KeyHash::operator()(const Key& key) const
{
    // 0.0 and -0.0 are equal amounts and must hash alike.
    return qHashMulti(0, key.day, key.amount + 0.0, key.code, key.relation, key.description);
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
        m_stored.insert(rowKey(row));
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
    if (otherReading && m_stored.contains(keyOf(*otherReading)))
        return true;
    return !m_stored.insert(keyOf(transaction)).second;
}

} // namespace import
