#include "cli/cli_support.h"

#include "relations/group_changes.h"
#include "relations/group_rules_file.h"
#include "store/dbase/engine_error.h"
#include "store/tables_folder.h"

#include <cstdio>
#include <exception>

namespace cli {

void openTables(store::TDataModule1& data, const QString& tablesDir, TableAccess access)
{
    const bool read = access == TableAccess::Read;
    QString folder = tablesDir;
    if (folder.isEmpty())
        folder = read ? store::tablesFolderOfAlias() : store::tablesFolderFromAlias();
    data.setTablesFolder(folder);
    if (read) {
        for (dbase::Table* table : {&data.T1, &data.T2}) {
            table->setReadOnly(true);
            table->open();
        }
    } else {
        if (access == TableAccess::WriteExisting)
            relations::requireTransactionsTable(data);
        data.openTables();
    }
    for (const dbase::Table* table : {&data.T1, &data.T2})
        for (const QString& warning : table->warnings())
            printErr(warning);
}

std::vector<relations::GroupRule> groupRules(const store::TDataModule1& data, bool create)
{
    relations::LoadedRules loaded = relations::loadGroupRules(data.T1.directory(), create);
    for (const QString& problem : loaded.problems)
        printErr(problem);
    return std::move(loaded.rules);
}

relations::GroupResolver groupResolver(const store::TDataModule1& data)
{
    return relations::GroupResolver(groupRules(data, !data.T1.readOnly()));
}

void warnGiveUps(const relations::GroupResolver& groups)
{
    warnText(groups.giveUpWarning());
}

void warnText(const QString& warning)
{
    if (!warning.isEmpty())
        printErr(warning);
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
