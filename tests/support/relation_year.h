#pragma once

#include "store/dbase/table.h"
#include "store/table_names.h"

#include <QString>
#include <map>
#include <optional>

namespace testsupport {

// One row of the relation-year table. What is left out stays empty, as the import leaves it.
struct RelationYear
{
    QString naam;
    QString jaar;
    std::map<int, double> months = {}; // month number from 0 (jan) to its amount
    std::optional<bool> select = {};
    QString banknr = {};
};

inline void addRelationYear(dbase::Table& bedrijven, const RelationYear& row)
{
    using namespace store::names;
    bedrijven.append();
    bedrijven.fieldByName(kNaam).setAsString(row.naam);
    bedrijven.fieldByName(kJaar).setAsString(row.jaar);
    for (const auto& [month, amount] : row.months)
        bedrijven.fieldByName(kMonths.at(static_cast<std::size_t>(month))).setAsFloat(amount);
    if (row.select)
        bedrijven.fieldByName(kSelect).setAsBoolean(*row.select);
    if (!row.banknr.isEmpty())
        bedrijven.fieldByName(kBanknr).setAsString(row.banknr);
    bedrijven.post();
}

} // namespace testsupport
