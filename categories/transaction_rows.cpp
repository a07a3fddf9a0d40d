#include "categories/transaction_rows.h"

#include "monthly/amount_totals.h"
#include "store/dbase/engine_error.h"
#include "store/table_names.h"

using namespace Qt::StringLiterals;

namespace categories {

namespace {

int requiredField(const dbase::Table& table, const QString& name)
{
    const int index = table.fieldIndex(name);
    if (index < 0)
        throw dbase::EngineError(u"Field '%1' not found"_s.arg(name));
    return index;
}

} // namespace

TransactionRows::TransactionRows(const dbase::Table& mutaties,
                                 const relations::GroupResolver& groups,
                                 const CategoryResolver* categories)
    : m_groups(groups), m_datum(requiredField(mutaties, store::names::kDatum)),
      m_bedrag(requiredField(mutaties, store::names::kBedrag)),
      m_naam(requiredField(mutaties, store::names::kNaam)),
      m_reknum(requiredField(mutaties, store::names::kReknum)), m_omschrijving(-1)
{
    // A description is long and nearly every one is new: read only when a rule looks at it.
    if (groups.uses(relations::RuleField::Omschrijving) ||
        (categories && categories->uses(CategoryField::Omschrijving)))
        m_omschrijving = requiredField(mutaties, store::names::kOmschrijving);
}

qint64 TransactionRows::cents(const dbase::RowView& row) const
{
    return monthly::centsOf(row.asFloat(m_bedrag));
}

CategoryTexts TransactionRows::texts(const dbase::RowView& row) const
{
    CategoryTexts texts;
    texts.naam = row.asString(m_naam);
    texts.reknum = row.asString(m_reknum);
    if (m_omschrijving >= 0)
        texts.omschrijving = row.asString(m_omschrijving);
    return texts;
}

CategoryTexts TransactionRows::textsWithGroup(const dbase::RowView& row) const
{
    CategoryTexts texts = this->texts(row);
    texts.groep = group(texts);
    return texts;
}

QString TransactionRows::group(const CategoryTexts& texts) const
{
    return m_groups.match({texts.naam, texts.omschrijving, texts.reknum}).group;
}

} // namespace categories
