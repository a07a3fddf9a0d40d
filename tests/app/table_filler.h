#pragma once

#include <QString>

namespace dbase {
class Table;
}

// Fills open tables through the engine with plausible rows: dates spread over some years, every
// kind code, both signs, relation names from a small pool (deterministic for a seed).
namespace filler {

void addTransactions(dbase::Table& mutaties, int count, unsigned seed = 1);
void addRelationYears(dbase::Table& bedrijven, int count, unsigned seed = 1);

// Opens both tables in a folder (created when missing), fills them, closes them again.
void fillFolder(const QString& folder, int transactions, int relationYears);

// Makes the program of this process find its tables in `tables`: HOME becomes `home`, and the
// alias is saved in an engine configuration of its own there, nothing of the user's touched.
void pointAliasAt(const QString& home, const QString& tables);

} // namespace filler
