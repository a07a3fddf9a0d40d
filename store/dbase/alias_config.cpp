#include "store/dbase/alias_config.h"

#include "store/dbase/engine_error.h"
#include "store/dbase/table_location.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace dbase {

namespace {
const QString kPathParam = u"PATH"_s;
}

AliasConfig::AliasConfig() : AliasConfig(defaultConfigFile()) {}

AliasConfig::AliasConfig(const QString& configFile) : m_file(configFile)
{
    load();
}

QString AliasConfig::defaultConfigFile()
{
    const QString fromEnvironment = qEnvironmentVariable("KOLVARO_ENGINE_CONFIG");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(u"kolvaro-engine/engine.ini"_s);
}

QString AliasConfig::defaultAliasPath()
{
#ifdef Q_OS_WIN
    return u"c:\\KOLVARO"_s;
#else
    return QDir(QDir::homePath()).filePath(u"KOLVARO"_s);
#endif
}

void AliasConfig::load()
{
    m_aliases.clear();
    if (!QFileInfo::exists(m_file))
        return;
    QSettings ini(m_file, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        throw EngineError(u"Cannot read the engine configuration %1"_s.arg(m_file));
    for (const QString& group : ini.childGroups()) {
        if (!group.startsWith(u"alias:"_s, Qt::CaseInsensitive))
            continue;
        Alias alias;
        alias.name = group.mid(6);
        ini.beginGroup(group);
        for (const QString& key : ini.childKeys())
            alias.params[key.toUpper()] = ini.value(key).toString();
        ini.endGroup();
        m_aliases[alias.name.toUpper()] = alias;
    }
}

void AliasConfig::setConfigMode(Mode mode)
{
    m_mode = mode;
}
AliasConfig::Mode AliasConfig::configMode() const
{
    return m_mode;
}
QString AliasConfig::configFile() const
{
    return m_file;
}

bool AliasConfig::aliasExists(const QString& name) const
{
    return m_aliases.count(name.toUpper()) > 0;
}

void AliasConfig::addStandardAlias(const QString& name, const QString& path,
                                   const QString& defaultDriver)
{
    if (aliasExists(name))
        throw EngineError(u"Alias '%1' already exists"_s.arg(name));
    Alias alias;
    alias.name = name;
    alias.params[u"TYPE"_s] = u"STANDARD"_s;
    alias.params[kPathParam] = path;
    alias.params[u"DEFAULT DRIVER"_s] = defaultDriver;
    m_aliases[name.toUpper()] = alias;
}

QString AliasConfig::aliasParam(const QString& name, const QString& param) const
{
    const auto it = m_aliases.find(name.toUpper());
    if (it == m_aliases.end())
        return {};
    const auto p = it->second.params.find(param.toUpper());
    return p == it->second.params.end() ? QString() : p->second;
}

void AliasConfig::saveConfig()
{
    if (m_mode != Mode::Persistent)
        return;
    const QFileInfo info(m_file);
    if (!QDir().mkpath(info.absolutePath()))
        throw EngineError(u"Cannot save the engine configuration %1"_s.arg(m_file));
    QSettings ini(m_file, QSettings::IniFormat);
    for (const QString& group : ini.childGroups())
        if (group.startsWith(u"alias:"_s, Qt::CaseInsensitive))
            ini.remove(group);
    for (const auto& [key, alias] : m_aliases) {
        ini.beginGroup(u"alias:"_s + alias.name);
        for (const auto& [param, value] : alias.params)
            ini.setValue(param, value);
        ini.endGroup();
    }
    ini.sync();
    if (ini.status() != QSettings::NoError)
        throw EngineError(u"Cannot save the engine configuration %1"_s.arg(m_file));
}

QString AliasConfig::databaseDirectory(const QString& name) const
{
    if (!aliasExists(name))
        throw EngineError(u"Unknown database: %1"_s.arg(name));
    QString path = aliasParam(name, kPathParam).trimmed();
    // An empty path would name the root folder, and a path made for Windows ("c:\KOLVARO") a
    // folder "c:" under whatever folder the program was started in.
    if (path.isEmpty())
        throw EngineError(u"Alias %1 names no folder (PATH is empty in %2)"_s.arg(name, m_file));
    try {
        checkTablesFolder(path);
    } catch (const EngineError& error) {
        throw EngineError(u"%1 (alias %2 in %3)"_s.arg(error.text(), name, m_file));
    }
    if (!path.endsWith(u'/') && !path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path;
}

} // namespace dbase
