#pragma once

#include "relations/group_rule.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace relations {

struct LoadedRules
{
    std::vector<GroupRule> rules;
    // What the user must be told: a damaged or unreadable rules table (the program then works
    // as with no rules), rules that were skipped.
    QStringList problems;
    // The table could not be read whole: saving rules now would lose what it holds, and a
    // rebuild or "Vul per maand" without them would undo the groups' totals.
    bool damaged() const { return !problems.isEmpty(); }
};

// The rules table relgroep.DBF in the tables folder, in the order of its nr field. With
// `create`, a missing table is created first (empty), as the program's start creates the other
// tables. Never throws: whatever goes wrong is in `problems`, and the rules read so far stand.
LoadedRules loadGroupRules(const QString& folder, bool create);

// Throws GroupRuleError naming the file when the rules could not be read whole: rule changes,
// rebuilds and the month pass wait until the user has mended or removed the file.
void requireReadableRules(const LoadedRules& loaded);

// Replaces the rules table with `rules` (each checked first: a GroupRuleError leaves everything
// as it was). The table as it was is kept beside it, for undoGroupRules(). Each file is replaced
// whole, so a program killed meanwhile leaves the old or the new rules, never a mix.
void saveGroupRules(const QString& folder, const std::vector<GroupRule>& rules);

// Whether a previous rules table is kept beside the current one.
bool canUndoGroupRules(const QString& folder);
// The rules of that previous table; throws GroupRuleError when there is none or it cannot be
// read.
std::vector<GroupRule> previousGroupRules(const QString& folder);
// Puts the previous rules table back; the current one becomes the previous, so a second undo
// takes the first back. Throws GroupRuleError when there is no previous table.
void undoGroupRules(const QString& folder);

// The relation-year table was rebuilt under these rules: a copy of them is kept beside the
// tables, so that the pages can say when the totals do not yet follow the rules, and the next
// rebuild knows which rows the old rules made.
void markGroupRulesApplied(const QString& folder, const std::vector<GroupRule>& rules);
// True when the last rebuild was made under rules that group alike (no rules: true until rules
// exist).
bool groupRulesApplied(const QString& folder, const std::vector<GroupRule>& rules);
// The rules of the last rebuild; nothing when they are not known (no rebuild yet, or a copy an
// earlier version kept only as a fingerprint).
std::optional<std::vector<GroupRule>> appliedGroupRules(const QString& folder);

} // namespace relations
