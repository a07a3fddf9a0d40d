#include "store/tables_folder.h"

#include "store/table_names.h"

#include <QDir>

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

QString tablesFolderOfAlias()
{
    const dbase::AliasConfig config;
    if (config.aliasExists(names::kAlias))
        return config.databaseDirectory(names::kAlias);
    return dbase::AliasConfig::defaultAliasPath() + QDir::separator();
}

} // namespace store
