#include "store/tables_folder.h"

#include "store/table_names.h"

using namespace Qt::StringLiterals;

namespace store {

void CreateAlias(dbase::AliasConfig& config)
{
    config.setConfigMode(dbase::AliasConfig::Mode::Persistent);
    if (config.aliasExists(names::kAlias))
        return;
    config.addStandardAlias(names::kAlias, dbase::AliasConfig::defaultAliasPath(), u"DBASE"_s);
    config.saveConfig();
}

QString tablesFolderFromAlias()
{
    dbase::AliasConfig config;
    CreateAlias(config);
    return config.databaseDirectory(names::kAlias);
}

} // namespace store
