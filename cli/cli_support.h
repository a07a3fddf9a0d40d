#pragma once

#include "store/data_module.h"

#include <QString>
#include <functional>

namespace cli {

// Opens both tables in `tablesDir`, or in the alias's folder when it is empty (registering the
// alias and creating missing tables, with the help text, like the program's first start).
void openTables(store::TDataModule1& data, const QString& tablesDir);

// Runs a command body: an error goes to stderr with its text and gives status 1.
int runGuarded(const std::function<void()>& body);

void printOut(const QString& text); // UTF-8 to stdout
void printErr(const QString& text); // UTF-8 to stderr

} // namespace cli
