#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

// Runs kolvaro-cli as the separate program it is, with the engine configuration in `config`.
namespace clirunner {

struct Result
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// "sample --lines 5" as the argument list {"sample", "--lines", "5"}.
inline QStringList words(const char* text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

// `input` is the program's standard input; a non-empty `home` replaces HOME, the folder where
// the default tables are sought.
inline Result run(const QString& config, const QStringList& arguments, const QByteArray& input = {},
                  const QString& home = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KOLVARO_ENGINE_CONFIG"), config);
    if (!home.isEmpty())
        environment.insert(QStringLiteral("HOME"), home);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KOLVARO_CLI), arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace clirunner
