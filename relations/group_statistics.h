#pragma once

#include "relations/group_resolver.h"
#include "store/dbase/table.h"

#include <QStringList>
#include <vector>

namespace relations {

// What one rule does with the transactions as they are now.
struct RuleStatistics
{
    int transactions = 0;     // transactions the rule decides
    QStringList names;        // their distinct Naam values, sorted
    QStringList takenEarlier; // names the rule matches but an earlier rule decides, sorted
};

// Per rule of `rules` (same order), over every transaction of mutaties (filters lifted). A rule
// with no transactions, or with names taken by earlier rules, is shadowed or too broad.
std::vector<RuleStatistics> ruleStatistics(dbase::Table& mutaties,
                                           const std::vector<GroupRule>& rules);

// The transactions that `rule` alone would catch: their number and distinct names, sorted; for
// showing a rule before it is saved.
RuleStatistics transactionsCaughtBy(dbase::Table& mutaties, const GroupRule& rule);

// A Naam with a branch number at its end loses it ("SUPERMARKT 1234" -> "SUPERMARKT", "DROGIST
// FRIS 0273" -> "DROGIST FRIS"); other names stay as they are.
QString withoutBranchNumber(const QString& naam);

} // namespace relations
