#include "relations/group_changes.h"

#include "relations/group_rebuild.h"
#include "relations/group_rules_file.h"
#include "relations/removed_relation_years.h"
#include "store/dbase/table_location.h"

#include <QDir>
#include <optional>

using namespace Qt::StringLiterals;

namespace relations {

namespace {

QString folderOf(const store::TDataModule1& data)
{
    return data.T1.directory();
}

} // namespace

void requireTransactionsTable(const store::TDataModule1& data)
{
    const bool missing = data.T1.isOpen()
                             ? data.transactionsCreated() && data.T1.storedRowCount() == 0
                             : data.transactionsMissing();
    if (missing)
        throw GroupRuleError(
            u"De tabel %1 ontbreekt; zonder de mutaties worden de totalen van de relaties niet "
            u"opnieuw opgebouwd of gevuld. Zet het bestand terug of lees de TAB-bestanden "
            u"opnieuw in."_s.arg(QDir::toNativeSeparators(data.T1.filePath())));
}

namespace {

// The rules the relation-year table was built under: those of the last rebuild, else (tables
// of an earlier version) the rules before the last change, else none known.
std::optional<GroupResolver> rulesBefore(const QString& folder)
{
    if (std::optional<std::vector<GroupRule>> applied = appliedGroupRules(folder))
        return GroupResolver(std::move(*applied));
    if (canUndoGroupRules(folder)) {
        try {
            return GroupResolver(previousGroupRules(folder));
        } catch (const GroupRuleError&) {
            return std::nullopt; // only the old groups' reach is lost
        }
    }
    return std::nullopt;
}

RebuildResult rebuild(store::TDataModule1& data, const std::vector<GroupRule>& rules)
{
    const QString folder = folderOf(data);
    const std::optional<GroupResolver> before = rulesBefore(folder);
    RemovedRelationYears removed(folder);
    const GroupResolver groups(rules);
    RebuildResult result;
    result.rows =
        rebuildRelationYears(data.T1, data.T2, groups, before ? &*before : nullptr, &removed);
    result.warning = groups.giveUpWarning();
    markGroupRulesApplied(folder, rules);
    return result;
}

} // namespace

std::vector<GroupRule> readableGroupRules(const store::TDataModule1& data)
{
    LoadedRules loaded = loadGroupRules(folderOf(data), !data.T1.readOnly());
    requireReadableRules(loaded);
    return std::move(loaded.rules);
}

RulesPreview previewGroupRules(store::TDataModule1& data, const std::vector<GroupRule>& current,
                               const std::vector<GroupRule>& next)
{
    const GroupResolver now(current);
    const GroupResolver then(next);
    const std::optional<GroupResolver> before = rulesBefore(folderOf(data));
    RulesPreview preview;
    preview.transactions = transactionsChangingGroup(data.T1, now, then);
    for (const GroupChange& change :
         plannedGroupChanges(data.T1, data.T2, then, before ? &*before : &now))
        preview.rows += change.stored ? 1 : 0;
    return preview;
}

std::vector<GroupChange> plannedRebuild(store::TDataModule1& data, QString* warning)
{
    const GroupResolver groups(readableGroupRules(data));
    requireTransactionsTable(data);
    const std::optional<GroupResolver> before = rulesBefore(folderOf(data));
    std::vector<GroupChange> changes =
        plannedGroupChanges(data.T1, data.T2, groups, before ? &*before : nullptr);
    if (warning)
        *warning = groups.giveUpWarning();
    return changes;
}

RebuildResult saveAndRebuild(store::TDataModule1& data, const std::vector<GroupRule>& rules)
{
    const std::vector<GroupRule> current = readableGroupRules(data);
    requireTransactionsTable(data);
    std::vector<GroupRule> checked;
    for (const GroupRule& rule : rules)
        checked.push_back(checkedRule(rule));
    // Unchanged rules keep the backup of the last real change for undo.
    if (checked != current)
        saveGroupRules(folderOf(data), checked);
    return rebuild(data, checked);
}

RebuildResult rebuildUnderRules(store::TDataModule1& data)
{
    const std::vector<GroupRule> rules = readableGroupRules(data);
    requireTransactionsTable(data);
    return rebuild(data, rules);
}

RebuildResult undoAndRebuild(store::TDataModule1& data)
{
    readableGroupRules(data);
    requireTransactionsTable(data);
    const QString folder = folderOf(data);
    const std::vector<GroupRule> previous = previousGroupRules(folder);
    undoGroupRules(folder);
    return rebuild(data, previous);
}

} // namespace relations
