#pragma once

#include "store/dbase/alias_config.h"

#include <QString>

namespace store {

// Registers the alias KOLVARO in the engine's stored configuration when it is missing (at the
// default path, driver DBASE) and saves it; an existing alias is used unchanged, whatever path
// it names. The configuration is left in persistent mode.
void CreateAlias(dbase::AliasConfig& config);

// The folder of the alias KOLVARO as the engine reports it (ending in a path separator),
// registering the alias first when it is missing.
QString tablesFolderFromAlias();
// The same without registering anything: the default path while the alias is missing.
QString tablesFolderOfAlias();

} // namespace store
