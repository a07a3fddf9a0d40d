#include "relations/transaction_groups.h"

#include "store/table_names.h"

namespace relations {

using namespace store::names;

TransactionGroups::TransactionGroups(dbase::Table& mutaties, const GroupResolver* resolver)
    : m_resolver(resolver), m_naam(mutaties.fieldByName(kNaam)),
      m_omschrijving(mutaties.fieldByName(kOmschrijving)), m_reknum(mutaties.fieldByName(kReknum))
{
}

RuleTexts TransactionGroups::textsOfCurrent() const
{
    RuleTexts texts;
    texts.naam = m_naam.asString();
    const bool all = !m_resolver;
    if (all || m_resolver->uses(RuleField::Omschrijving))
        texts.omschrijving = m_omschrijving.asString();
    if (all || m_resolver->uses(RuleField::Reknum))
        texts.reknum = m_reknum.asString();
    return texts;
}

QString TransactionGroups::groupOfCurrent() const
{
    if (!m_resolver || !m_resolver->hasActiveRules())
        return m_naam.asString();
    return m_resolver->group(textsOfCurrent());
}

} // namespace relations
