#pragma once

#include <QString>

namespace pipeline {

// The account whose rows a tables folder holds, kept in a small file beside the tables
// ("rekening.txt"): two accounts in one table set would count every transfer between them
// twice, and the file goes along with a copy of the folder.

// The account in one form however the bank or the user spaced or cased it: no blanks, upper
// case.
QString normalAccount(const QString& account);

// The remembered account as it was written; empty when none is (tables from before the file,
// or a file that cannot be read).
QString tablesAccount(const QString& tablesFolder);

// Writes the file whole or not at all; throws std::runtime_error when it cannot be written.
void setTablesAccount(const QString& tablesFolder, const QString& account);

} // namespace pipeline
