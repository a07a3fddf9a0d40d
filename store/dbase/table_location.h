#pragma once

#include <QString>

namespace dbase {

// Throws EngineError when `folder` cannot be a tables folder here: empty, or (outside Windows)
// a Windows path such as "c:\KOLVARO", which would become a folder named "c:" under the
// working folder.
void checkTablesFolder(const QString& folder);

// The path of the table file `fileName` in `folder`, found whatever the case of its name
// (tables copied from Windows are often "MUTATIES.DBF"); the path as given when there is none.
// Throws EngineError naming both files when two spellings exist, as either could be the table.
QString locateTableFile(const QString& folder, const QString& fileName);

} // namespace dbase
