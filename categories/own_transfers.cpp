#include "categories/own_transfers.h"

#include "categories/transaction_rows.h"
#include "relations/group_rules_file.h"
#include "relations/relation_year.h"
#include "relations/table_files.h"
#include "store/dbase/table_location.h"
#include "store/table_definitions.h"

namespace categories {

OwnTransfers ownTransfers(dbase::Table& mutaties, const relations::GroupResolver& groups,
                          const OwnAccounts& own)
{
    OwnTransfers transfers;
    if (own.isEmpty())
        return transfers;
    const TransactionRows rows(mutaties, groups, nullptr);
    const int count = mutaties.storedRowCount();
    for (int r = 0; r < count; ++r) {
        const dbase::RowView row = mutaties.storedRowAt(r);
        // Only the few own transfers need their texts and group.
        if (!own.matches(rows.reknum(row)))
            continue;
        const QDate date = rows.date(row);
        if (!date.isValid())
            continue;
        const QString group = rows.textsWithGroup(row).groep;
        transfers[{group, relations::yearText(date)}][static_cast<std::size_t>(date.month() - 1)] +=
            rows.cents(row);
    }
    return transfers;
}

OwnTransfers ownTransfersOfFolder(const QString& folder)
{
    if (folder.isEmpty())
        return {}; // a table in memory has no folder beside it
    const OwnAccountSettings settings = loadOwnAccounts(folder);
    if (settings.accounts.isEmpty() || !settings.leaveOut)
        return {};
    const relations::GroupResolver groups(relations::loadGroupRules(folder, false).rules);
    dbase::Table mutaties;
    relations::tablefiles::openForReading(
        mutaties, dbase::locateTableFile(folder, store::mutatiesDefinition().fileName),
        store::mutatiesDefinition());
    return ownTransfers(mutaties, groups, OwnAccounts(settings.accounts));
}

} // namespace categories
