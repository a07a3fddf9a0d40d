#pragma once

#include "store/dbase/table.h"
#include "store/dbase/table_definition.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

// A table of rules beside the tables (one row per rule in the order of its nr field) with the
// table before the last change kept beside it for undo, whatever the rules hold: the group rules
// and the category rules share it.
namespace relations::rulesfile {

struct TableKind
{
    const dbase::TableDefinition* definition = nullptr;
    QString nrField;      // the order of the rules
    QString previousFile; // the table before the last change, beside it
    // Why loading failed, for the user: %1 the file, %2 what went wrong.
    QString unreadableText;
};

// Reads the current row into the caller's list; throws GroupRuleError for a bad row.
using RowReader = std::function<void(dbase::Table&)>;
// Fills the current (appended) row with rule `index`; the nr is set by the caller of it.
using RowWriter = std::function<void(dbase::Table&, std::size_t index)>;

// The layout of a rules table: nr, actief, veld, soort, patroon, then the field that names what
// the rule gives (`target`, text of `targetWidth`), then notitie; each field required.
dbase::TableDefinition rulesTableDefinition(const QString& fileName, const QString& target,
                                            int targetWidth);

QString tablePath(const QString& folder, const TableKind& kind);
QString previousPath(const QString& folder, const TableKind& kind);

// The table in the folder (created when missing with `create`); each row read, a bad row named
// in `problems` and skipped. Never throws. Returns the read rows' indices in the order of nr.
std::vector<std::size_t> loadRows(const QString& folder, bool create, const TableKind& kind,
                                  QStringList& problems, const RowReader& read);
// The table at `path`, read whole, rows in the order of nr; throws GroupRuleError when it cannot.
std::vector<std::size_t> readWholeFile(const QString& path, const TableKind& kind,
                                       const RowReader& read);
// A new table of `count` rules at `path`, numbered from 1, replacing it in one step.
void writeFile(const QString& path, const TableKind& kind, std::size_t count,
               const RowWriter& write);
// Keeps the current table as the previous one, then writes the new rules in its place.
void save(const QString& folder, const TableKind& kind, std::size_t count, const RowWriter& write);
bool canUndo(const QString& folder, const TableKind& kind);
// Swaps the previous and the current table; throws GroupRuleError when there is no previous.
void undo(const QString& folder, const TableKind& kind);
// Throws GroupRuleError when there is no previous table.
void requirePrevious(const QString& folder, const TableKind& kind);

// The rules a reader collected, put in the order loadRows or readWholeFile gave.
template <class Rule>
std::vector<Rule> inOrder(std::vector<Rule>& read, const std::vector<std::size_t>& order)
{
    std::vector<Rule> rules;
    rules.reserve(order.size());
    for (const std::size_t index : order)
        rules.push_back(std::move(read[index]));
    return rules;
}

} // namespace relations::rulesfile
