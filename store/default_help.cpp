#include "store/default_help.h"

#include "store/dbase/engine_error.h"
#include "store/table_names.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace store {

void placeDefaultHelp(const QString& folder)
{
    const QString path = QDir(folder).filePath(names::kHelpFile);
    if (QFileInfo::exists(path))
        return;
    QFile shipped(u":/store/help.rtf"_s);
    QSaveFile file(path);
    if (!shipped.open(QIODevice::ReadOnly) || !file.open(QIODevice::WriteOnly) ||
        file.write(shipped.readAll()) != shipped.size() || !file.commit())
        throw dbase::EngineError(u"Cannot create file %1"_s.arg(QDir::toNativeSeparators(path)));
}

} // namespace store
