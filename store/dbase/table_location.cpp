#include "store/dbase/table_location.h"

#include "store/dbase/engine_error.h"

#include <QDir>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace dbase {

void checkTablesFolder(const QString& folder)
{
    if (folder.trimmed().isEmpty())
        throw EngineError(u"No tables folder is set"_s);
#ifndef Q_OS_WIN
    static const QRegularExpression drive(u"^[A-Za-z]:"_s);
    if (folder.contains(u'\\') || drive.match(folder).hasMatch())
        throw EngineError(
            u"The tables folder %1 is a Windows path; name a folder of this system"_s.arg(folder));
#endif
}

QString locateTableFile(const QString& folder, const QString& fileName)
{
    const QDir dir(folder);
    QStringList found;
    // Every entry, not a name filter: names with wildcard characters must match literally.
    for (const QString& entry :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            found << entry;
    if (found.size() > 1) {
        found.sort();
        throw EngineError(u"The folder %1 holds the table %2 twice: %3; keep one of them"_s.arg(
            QDir::toNativeSeparators(dir.path()), fileName, found.join(u" and "_s)));
    }
    return dir.filePath(found.isEmpty() ? fileName : found.first());
}

} // namespace dbase
