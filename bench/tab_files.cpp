#include "bench/tab_files.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace benchdata {

// Part of the file names: a file the generator wrote before its lines changed is not reused.
constexpr int kGeneratorVersion = 2;

QString tabFile(const QString& name, double dupFraction, sample::SampleLayout layout)
{
    const QByteArray folder = qgetenv("KOLVARO_BENCH_DATA");
    const QDir dir(folder.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(folder));
    const char* const layoutNames[] = {"classic", "current", "mixed"};
    const QString path = dir.filePath(QString(name).replace(
        QStringLiteral(".tab"), QStringLiteral(".%1.g%2.tab")
                                    .arg(QLatin1StringView(layoutNames[int(layout)]))
                                    .arg(kGeneratorVersion)));
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
    options.layout = layout;
    sample::writeSampleTab(options,
                           [&](QByteArrayView bytes) { file.write(bytes.data(), bytes.size()); });
    if (!file.commit())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

} // namespace benchdata
