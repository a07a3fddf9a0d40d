#include "bench/tab_files.h"

#include "sample/sample_tab.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace benchdata {

QString tabFile(const QString& name, double dupFraction)
{
    const QByteArray folder = qgetenv("KOLVARO_BENCH_DATA");
    const QDir dir(folder.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(folder));
    const QString path = dir.filePath(name);
    if (QFile::exists(path))
        return path;
    // Written aside and renamed, so that an interrupted run leaves no half file to reuse.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    sample::SampleOptions options;
    options.lines = kLines;
    options.seed = 1;
    options.dupFraction = dupFraction;
    sample::writeSampleTab(options,
                           [&](QByteArrayView bytes) { file.write(bytes.data(), bytes.size()); });
    if (!file.commit())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace benchdata
