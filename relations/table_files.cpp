#include "relations/table_files.h"

#include "store/dbase/engine_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace relations::tablefiles {

void replaceFile(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), error);
    if (error)
        throw dbase::EngineError(
            u"Cannot replace %1: %2"_s.arg(to, QString::fromLocal8Bit(error.message())));
}

void copyFile(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        throw dbase::EngineError(u"Cannot read %1: %2"_s.arg(from, source.errorString()));
    // QSaveFile writes beside the target and renames only after a complete, synced write.
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly) || target.write(source.readAll()) < 0 ||
        !target.commit())
        throw dbase::EngineError(u"Cannot write %1: %2"_s.arg(to, target.errorString()));
}

void writeTable(const QString& path, const dbase::TableDefinition& definition,
                const std::function<void(dbase::Table&)>& fill)
{
    const QFileInfo info(path);
    // A folder of its own beside the target: the same file system, so the rename is one step.
    QTemporaryDir scratch(info.absoluteDir().filePath(info.completeBaseName() + u"-XXXXXX"_s));
    if (!scratch.isValid())
        throw dbase::EngineError(
            u"Cannot create a temporary folder in %1"_s.arg(info.absolutePath()));
    dbase::TableDefinition scratchDefinition = definition;
    scratchDefinition.fileName = info.fileName();
    {
        dbase::Table table;
        table.setDefinition(scratchDefinition);
        table.setDirectory(scratch.path());
        table.open();
        fill(table);
        table.close(); // synced
    }
    replaceFile(scratch.filePath(info.fileName()), path);
}

void openForReading(dbase::Table& table, const QString& path, dbase::TableDefinition definition)
{
    const QFileInfo info(path);
    definition.fileName = info.fileName();
    table.setDefinition(definition);
    table.setDirectory(info.absolutePath());
    table.setReadOnly(true);
    table.open();
}

} // namespace relations::tablefiles
