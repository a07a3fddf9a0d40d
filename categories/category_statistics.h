#pragma once

#include "categories/category_resolver.h"
#include "relations/group_resolver.h"
#include "store/dbase/table.h"

#include <QString>
#include <optional>
#include <vector>

namespace categories {

// What one category rule does with the stored transactions now.
struct CategoryRuleStatistics
{
    int transactions = 0; // the transactions it decides
    qint64 cents = 0;     // their signed sum
    int takenEarlier = 0; // transactions it matches that an own account or an earlier rule takes
};

// Per rule of `categories` (same order), over every stored transaction of mutaties whatever its
// filter presents; the cursor stays where it is. Rules are tried once per distinct text.
std::vector<CategoryRuleStatistics> categoryRuleStatistics(dbase::Table& mutaties,
                                                           const relations::GroupResolver& groups,
                                                           const CategoryResolver& categories);

// The texts the category rules read of one row of mutaties; Groep as `groups` gives it.
CategoryTexts categoryTexts(const dbase::Table& mutaties, const dbase::RowView& row,
                            const relations::GroupResolver& groups);

// The reknum most of the transactions of a relation group carry (of equals, the one that got
// there first in table order); empty when none of them has one.
QString mostFrequentReknum(const dbase::Table& mutaties, const relations::GroupResolver& groups,
                           const QString& group);

// The account a reknum stands for, in a form addOwnAccount takes: the reknum itself when it is
// one; for the bank code and ten digits the import keeps of a domestic IBAN, that IBAN with its
// country code and check digits put back; nullopt when it is neither.
std::optional<QString> accountOfReknum(const QString& reknum);

} // namespace categories
