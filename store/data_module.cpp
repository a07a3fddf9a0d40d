#include "store/data_module.h"

#include "store/dbase/table_location.h"
#include "store/default_help.h"
#include "store/table_definitions.h"
#include "store/table_names.h"

#include <QFileInfo>

namespace store {

TDataModule1::TDataModule1()
{
    T1.setDefinition(mutatiesDefinition());
    T1.setIndexName(names::kIndexDatum);
    T2.setDefinition(bedrijvenDefinition());
    T2.setIndexName(names::kIndexNaam);
}

void TDataModule1::setTablesFolder(const QString& folder)
{
    T1.setDirectory(folder);
    T2.setDirectory(folder);
}

namespace {

// Whatever the case of its name: tables copied from Windows are often "MUTATIES.DBF".
bool exists(const dbase::Table& table)
{
    return QFileInfo::exists(
        dbase::locateTableFile(table.directory(), table.definition().fileName));
}

} // namespace

bool TDataModule1::transactionsMissing() const
{
    return !exists(T1) && exists(T2);
}

void TDataModule1::openTables()
{
    m_transactionsCreated = !exists(T1);
    const bool created = m_transactionsCreated && !exists(T2);
    T1.open();
    T2.open();
    if (created)
        placeDefaultHelp(T1.directory());
}

void TDataModule1::closeAll()
{
    // Both tables are flushed before either is closed, so a failure on the second still leaves
    // the first written.
    if (T1.isOpen())
        T1.flush();
    if (T2.isOpen())
        T2.flush();
    T1.close();
    T2.close();
}

TDataModule1& dataModule()
{
    static TDataModule1 module;
    return module;
}

} // namespace store
