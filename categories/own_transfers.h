#pragma once

#include "categories/own_accounts.h"
#include "relations/group_resolver.h"
#include "store/dbase/table.h"

#include <QHash>
#include <QString>
#include <array>
#include <utility>

// What the income-and-expenses chart leaves out: transfers to and from own accounts.
namespace categories {

// (Naam as bedrijven holds it, i.e. the group; jaar) -> the month sums in cents of the
// transactions whose counterparty is an own account.
using OwnTransfers = QHash<std::pair<QString, QString>, std::array<qint64, 12>>;

// Reads every row of mutaties (no filter; the cursor stays). Empty when `own` is.
OwnTransfers ownTransfers(dbase::Table& mutaties, const relations::GroupResolver& groups,
                          const OwnAccounts& own);

// The same for the tables folder: its own accounts and group rules, its mutaties opened for
// reading beside whatever holds it open. Empty when the folder lists no own account or the
// switch "Overboekingen naar eigen rekeningen weglaten" is off (mutaties is then not read).
// Throws the engine's error or GroupRuleError.
OwnTransfers ownTransfersOfFolder(const QString& folder);

} // namespace categories
