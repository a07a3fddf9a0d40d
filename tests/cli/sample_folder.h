#pragma once

#include "tests/cli/cli_runner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>

// kolvaro-cli over a tables folder "T" of imported sample transactions in a temporary folder.
class SampleFolderTest : public ::testing::Test
{
protected:
    // Imports the bank file that `sample` (the sample command's arguments) generates.
    void importSample(const char* sample)
    {
        const clirunner::Result generated = cli(clirunner::words(sample));
        QFile tab(m_dir.filePath(QStringLiteral("bank.tab")));
        ASSERT_TRUE(tab.open(QIODevice::WriteOnly));
        tab.write(generated.out);
        tab.close();
        ASSERT_EQ(cli({QStringLiteral("import"), tab.fileName()}).status, 0);
    }

    clirunner::Result cli(QStringList arguments)
    {
        arguments.prepend(m_dir.filePath(QStringLiteral("T")));
        arguments.prepend(QStringLiteral("--tables"));
        return clirunner::run(m_dir.filePath(QStringLiteral("engine.ini")), arguments);
    }

    // Every file of the tables folder with its bytes.
    std::map<QString, QByteArray> files() const
    {
        std::map<QString, QByteArray> all;
        const QDir dir(m_dir.filePath(QStringLiteral("T")));
        for (const QString& entry : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(entry));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            all[entry] = file.readAll();
        }
        return all;
    }

    QTemporaryDir m_dir;
};
