#pragma once

#include "relations/group_resolver.h"
#include "store/dbase/table.h"

namespace relations {

// Reads the group of mutaties' current row (the pending one while appending): only the fields
// the rules look at are read. Without a resolver the group is the row's Naam.
class TransactionGroups
{
public:
    TransactionGroups(dbase::Table& mutaties, const GroupResolver* resolver);

    RuleTexts textsOfCurrent() const;
    QString groupOfCurrent() const;

private:
    const GroupResolver* m_resolver;
    dbase::Field m_naam;
    dbase::Field m_omschrijving;
    dbase::Field m_reknum;
};

} // namespace relations
