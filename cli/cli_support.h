#pragma once

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
};

// Opens both tables in `tablesDir`, or in the alias's folder when it is empty. What the engine
// warns of (rows lost to damage, a table it cannot write) goes to stderr.
void openTables(store::TDataModule1& data, const QString& tablesDir, TableAccess access);

// Runs a command body: an error goes to stderr with its text and gives status 1.
int runGuarded(const std::function<void()>& body);

void printOut(const QString& text); // UTF-8 to stdout
void printErr(const QString& text); // UTF-8 to stderr

} // namespace cli
