#pragma once

#include <QString>
#include <map>

namespace dbase {

// The engine's own alias configuration: an INI file, by default in the user's configuration
// folder, or the file that KOLVARO_ENGINE_CONFIG names. Aliases are matched without regard to
// case. Changes stay in memory until save().
class AliasConfig
{
public:
    enum class Mode
    {
        Session,
        Persistent
    };

    AliasConfig(); // reads the configuration file when it exists
    explicit AliasConfig(const QString& configFile);

    static QString defaultConfigFile();
    static QString defaultAliasPath(); // c:\KOLVARO on Windows, $HOME/KOLVARO elsewhere

    void setConfigMode(Mode mode);
    Mode configMode() const;
    QString configFile() const;

    bool aliasExists(const QString& name) const;
    // Throws when an alias of that name exists already.
    void addStandardAlias(const QString& name, const QString& path, const QString& defaultDriver);
    QString aliasParam(const QString& name, const QString& param) const;
    // Writes the persistent aliases to the configuration file; throws when it cannot.
    void saveConfig();
    // The folder of the alias's tables, ending in a path separator; throws for an unknown alias.
    QString databaseDirectory(const QString& name) const;

private:
    struct Alias
    {
        QString name;
        std::map<QString, QString> params;
    };
    void load();

    QString m_file;
    Mode m_mode = Mode::Session;
    std::map<QString, Alias> m_aliases; // key: upper-case name
};

} // namespace dbase
