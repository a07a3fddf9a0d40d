#include "cli/cli_support.h"

#include "store/dbase/engine_error.h"
#include "store/tables_folder.h"

#include <cstdio>
#include <exception>

namespace cli {

void openTables(store::TDataModule1& data, const QString& tablesDir)
{
    data.setTablesFolder(tablesDir.isEmpty() ? store::tablesFolderFromAlias() : tablesDir);
    data.openTables();
}

int runGuarded(const std::function<void()>& body)
{
    try {
        body();
        return 0;
    } catch (const std::exception& error) {
        printErr(QString::fromUtf8(error.what()));
        return 1;
    }
}

void printOut(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

void printErr(const QString& text)
{
    const QByteArray bytes = (text + u'\n').toUtf8();
    std::fflush(stdout);
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
}

} // namespace cli
