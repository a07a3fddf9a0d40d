#pragma once

#include "relations/group_resolver.h"
#include "store/dbase/table.h"

#include <QString>
#include <optional>

// The account behind a relation, for "Eigen rekening" on the relations page.
namespace categories {

// The reknum most of the transactions of a relation group carry (of equals, the one that got
// there first in table order), over every stored row whatever the filter presents; empty when
// none of them has one.
QString mostFrequentReknum(const dbase::Table& mutaties, const relations::GroupResolver& groups,
                           const QString& group);

// The account a reknum stands for, in a form addOwnAccount takes: the reknum itself when it is
// one; for the bank code and ten digits the import keeps of a domestic IBAN, that IBAN with its
// country code and check digits put back; nullopt when it is neither.
std::optional<QString> accountOfReknum(const QString& reknum);

} // namespace categories
