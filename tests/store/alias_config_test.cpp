// The engine's own alias configuration.
#include "store/dbase/alias_config.h"
#include "store/dbase/engine_error.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using dbase::AliasConfig;
using dbase::EngineError;

const QString kAlias = u"KOLVARO"_s;
const QString kPath = u"PATH"_s;
const QString kDriver = u"DEFAULT DRIVER"_s;

// Every test works on a configuration file of its own, named as the program would find it.
class AliasConfigTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_file = m_dir.filePath(u"config/engine.ini"_s);
        qputenv("KOLVARO_ENGINE_CONFIG", QFile::encodeName(m_file));
    }
    void TearDown() override { qunsetenv("KOLVARO_ENGINE_CONFIG"); }

    QTemporaryDir m_dir;
    QString m_file;
};

TEST_F(AliasConfigTest, aSavedPersistentAliasIsSeenByTheNextRun)
{
    AliasConfig config;
    EXPECT_EQ(config.configFile(), m_file);
    EXPECT_FALSE(config.aliasExists(kAlias));
    config.setConfigMode(AliasConfig::Mode::Persistent);
    config.addStandardAlias(kAlias, u"/data/kolvaro"_s, u"DBASE"_s);
    EXPECT_TRUE(config.aliasExists(u"kolvaro"_s));
    EXPECT_FALSE(AliasConfig().aliasExists(kAlias)) << "unsaved changes stay in memory";

    config.saveConfig();
    const AliasConfig next;
    EXPECT_TRUE(next.aliasExists(u"Kolvaro"_s));
    EXPECT_EQ(next.aliasParam(u"kolvaro"_s, kPath), u"/data/kolvaro"_s);
    EXPECT_EQ(next.aliasParam(kAlias, kDriver), u"DBASE"_s);
    EXPECT_EQ(next.databaseDirectory(u"kolvaro"_s), u"/data/kolvaro/"_s);
}

TEST_F(AliasConfigTest, sessionAliasesAreNotSaved)
{
    AliasConfig config;
    config.addStandardAlias(kAlias, u"/data"_s, u"DBASE"_s);
    config.saveConfig();
    EXPECT_FALSE(AliasConfig().aliasExists(kAlias));
}

TEST_F(AliasConfigTest, databaseDirectoryEndsInOneSeparator)
{
    const std::pair<QString, QString> cases[] = {
        {u"/data/k"_s, u"/data/k/"_s},
        {u"/data/k/"_s, u"/data/k/"_s},
        {m_dir.path(), m_dir.path() + QLatin1Char('/')},
    };
    for (const auto& [path, expected] : cases) {
        AliasConfig config;
        config.addStandardAlias(kAlias, path, u"DBASE"_s);
        EXPECT_EQ(config.databaseDirectory(kAlias), expected);
    }
}

TEST_F(AliasConfigTest, anAliasWithoutAFolderOfThisSystemNamesItsConfiguration)
{
    // Empty would be the root folder, a Windows path a folder "c:" under the working folder.
    for (const QString& path : {QString(), u"  "_s, u"c:\\KOLVARO"_s, u"D:/data"_s}) {
        AliasConfig config;
        config.addStandardAlias(kAlias, path, u"DBASE"_s);
        try {
            config.databaseDirectory(kAlias);
            ADD_FAILURE() << "accepted '" << path.toStdString() << "'";
        } catch (const EngineError& error) {
            EXPECT_TRUE(error.text().contains(kAlias) && error.text().contains(m_file))
                << error.text().toStdString();
        }
    }
}

TEST_F(AliasConfigTest, duplicateAndUnknownAliasesAndUnwritableFilesThrow)
{
    AliasConfig config;
    config.addStandardAlias(kAlias, u"/data"_s, u"DBASE"_s);
    EXPECT_THROW(config.addStandardAlias(u"kolvaro"_s, u"/x"_s, u"DBASE"_s), EngineError);
    EXPECT_EQ(config.aliasParam(kAlias, kPath), u"/data"_s);
    EXPECT_THROW(config.databaseDirectory(u"ANDERS"_s), EngineError);

    // A configuration file below a plain file cannot be written, not even by root.
    QFile blocker(m_dir.filePath(u"gewoon-bestand"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    AliasConfig unwritable(blocker.fileName() + u"/engine.ini"_s);
    unwritable.setConfigMode(AliasConfig::Mode::Persistent);
    unwritable.addStandardAlias(kAlias, u"/data"_s, u"DBASE"_s);
    EXPECT_THROW(unwritable.saveConfig(), EngineError);
}

TEST_F(AliasConfigTest, defaultsFollowTheEnvironment)
{
    EXPECT_EQ(AliasConfig::defaultConfigFile(), m_file);
    EXPECT_EQ(AliasConfig::defaultAliasPath(), QDir::homePath() + u"/KOLVARO"_s);
}

} // namespace
