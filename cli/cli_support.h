#pragma once

#include "relations/group_resolver.h"
#include "store/data_module.h"

#include <QString>
#include <functional>

namespace cli {

// What a command does with the tables.
enum class TableAccess
{
    Read,  // nothing is created or written, not even a lock file; a missing table is an error
    Write, // like the program's start: a missing alias is registered, missing tables created
           // (with the help text)
    WriteExisting, // Write, but a missing mutaties beside an existing bedrijven is an error:
                   // a pass over the relation-year rows must not take it for an empty one
};

// Opens both tables in `tablesDir`, or in the alias's folder when it is empty. What the engine
// warns of (rows lost to damage, a table it cannot write) goes to stderr.
void openTables(store::TDataModule1& data, const QString& tablesDir, TableAccess access);

// The relation-group rules of the opened tables' folder (with `create`, a missing rules table is
// created, as for the other tables); what is wrong with them goes to stderr, and without
// readable rules every group is the transaction's own name.
std::vector<relations::GroupRule> groupRules(const store::TDataModule1& data, bool create);
// The resolver of those rules, for the passes that make and fill relation-year rows; creates
// the rules table when the tables are open for writing.
relations::GroupResolver groupResolver(const store::TDataModule1& data);
// After a pass: the patterns that gave up on a text (too much work), as a Dutch warning on stderr.
void warnGiveUps(const relations::GroupResolver& groups);
// A warning to stderr, when there is one.
void warnText(const QString& warning);

// Runs a command body: an error goes to stderr with its text and gives status 1.
int runGuarded(const std::function<void()>& body);

void printOut(const QString& text); // UTF-8 to stdout
void printErr(const QString& text); // UTF-8 to stderr

} // namespace cli
