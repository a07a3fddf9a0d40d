#pragma once

#include "balances/gap_walk.h"
#include "store/dbase/table.h"
#include "store/table_definitions.h"
#include "store/table_names.h"

#include <QDate>
#include <QString>
#include <optional>

// mutaties with the bank's balances.
namespace testsupport {

inline const dbase::TableDefinition& mutatiesWithBalances()
{
    return store::mutatiesDefinition();
}

// A transaction; without `before` its balances stay empty. The balance after is before +
// amount unless `after` says otherwise (a failed balance check).
inline void addWithBalances(dbase::Table& mutaties, const QDate& datum, double amount,
                            std::optional<double> before,
                            std::optional<double> after = std::nullopt,
                            const QString& naam = QStringLiteral("Winkel"))
{
    using namespace store::names;
    mutaties.append();
    mutaties.fieldByName(kDatum).setAsDate(datum);
    mutaties.fieldByName(kSoort).setAsInteger(3);
    mutaties.fieldByName(kNaam).setAsString(naam);
    mutaties.fieldByName(kBedrag).setAsFloat(amount);
    if (before) {
        mutaties.fieldByName(balances::kSaldoVoor).setAsFloat(*before);
        mutaties.fieldByName(balances::kSaldoNa).setAsFloat(after.value_or(*before + amount));
    }
    mutaties.post();
}

} // namespace testsupport
