#pragma once

#include <QString>

namespace store {

// Writes the help text that ships with the program into `folder` as help.rtf, so that a new
// tables folder shows help at the first start. A help.rtf that is there already stays as it
// is. Throws dbase::EngineError "Cannot create file <path>" when the file cannot be written.
void placeDefaultHelp(const QString& folder);

} // namespace store
