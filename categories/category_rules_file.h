#pragma once

#include "categories/category_rule.h"

#include <QString>
#include <QStringList>
#include <vector>

// The category rules table rubriek.DBF beside the other tables (created when missing), with
// rubriek.BAK holding the rules before the last change, for undo.
namespace categories {

struct LoadedCategoryRules
{
    std::vector<CategoryRule> rules;
    // A damaged or unreadable table, skipped rows: the program then works as with no rules and
    // refuses to save over it.
    QStringList problems;
    bool damaged() const { return !problems.isEmpty(); }
};

// Never throws: whatever goes wrong is in `problems`.
LoadedCategoryRules loadCategoryRules(const QString& folder, bool create);
// Throws GroupRuleError naming the file when the rules could not be read whole.
void requireReadableCategoryRules(const LoadedCategoryRules& loaded);
// Checks each rule first (nothing changes on a GroupRuleError), keeps the table as it was for
// undo, and replaces the table whole. Refuses when the table on disk cannot be read whole.
void saveCategoryRules(const QString& folder, const std::vector<CategoryRule>& rules);
bool canUndoCategoryRules(const QString& folder);
// Throws GroupRuleError when there is no previous table or it cannot be read.
std::vector<CategoryRule> previousCategoryRules(const QString& folder);
// Swaps the previous and the current table, so a second undo takes the first back.
void undoCategoryRules(const QString& folder);

} // namespace categories
