#include "bench/tab_files.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace benchdata {

QString tabFile(const QString& name, const QStringList& extraArguments)
{
    const QByteArray folder = qgetenv("KOLVARO_BENCH_DATA");
    const QDir dir(folder.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(folder));
    const QString path = dir.filePath(name);
    if (QFileInfo::exists(path))
        return path;
    QProcess generator;
    generator.setStandardOutputFile(path);
    generator.start(QStringLiteral(KOLVARO_PYTHON),
                    QStringList{QStringLiteral(KOLVARO_GEN_TAB), QStringLiteral("--lines"),
                                QString::number(kLines), QStringLiteral("--seed"),
                                QStringLiteral("1")} +
                        extraArguments);
    if (!generator.waitForFinished(120000) || generator.exitCode() != 0) {
        QFile::remove(path);
        qFatal("gen_tab.py failed");
    }
    return path;
}

} // namespace benchdata
