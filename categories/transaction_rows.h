#pragma once

#include "categories/category_resolver.h"
#include "relations/group_resolver.h"
#include "store/dbase/row_view.h"
#include "store/dbase/table.h"

#include <QDate>

namespace categories {

// Reads what the categories need of mutaties' rows by position: date, amount in cents and the
// texts the rules read (the description only where a group or category rule reads it; the group
// is left to the caller, who may remember it). Throws the engine's error when a field is missing.
class TransactionRows
{
public:
    TransactionRows(const dbase::Table& mutaties, const relations::GroupResolver& groups,
                    const CategoryResolver* categories);

    QDate date(const dbase::RowView& row) const { return row.asDate(m_datum); }
    qint64 cents(const dbase::RowView& row) const;
    QString reknum(const dbase::RowView& row) const { return row.asString(m_reknum); }
    bool readsDescription() const { return m_omschrijving >= 0; }
    // Naam, reknum and where read Omschrijving; groep empty.
    CategoryTexts texts(const dbase::RowView& row) const;
    // The same with the group the group rules give.
    CategoryTexts textsWithGroup(const dbase::RowView& row) const;
    QString group(const CategoryTexts& texts) const;

private:
    const relations::GroupResolver& m_groups;
    int m_datum;
    int m_bedrag;
    int m_naam;
    int m_reknum;
    int m_omschrijving; // -1 when no rule reads it
};

} // namespace categories
