#pragma once

#include "store/dbase/alias_config.h"
#include "store/dbase/table.h"

#include <QString>

namespace store {

// Grids, navigators and filter rows bind to a table through its data source.
struct DataSource
{
    dbase::Table* dataSet = nullptr;
};

// Owns the two tables for the whole run: T1 is mutaties (active index DATUM), T2 is bedrijven
// (active index NAAM). Both live in the folder of the alias KOLVARO.
class TDataModule1
{
public:
    TDataModule1();

    dbase::Table T1;
    dbase::Table T2;
    DataSource DS1{&T1};
    DataSource DS2{&T2};

    // Points both tables at a folder (the alias's, as the engine reports it).
    void setTablesFolder(const QString& folder);
    // Opens mutaties, then bedrijven, creating missing tables (and the folder). When both were
    // created now the folder is new to the program and receives the help text as well.
    void openTables();
    // Posts pending rows, flushes and closes mutaties, then bedrijven.
    void closeAll();
    // Whether mutaties was missing and created empty by the last openTables().
    bool transactionsCreated() const { return m_transactionsCreated; }
    // Before opening: whether mutaties is missing while bedrijven is there.
    bool transactionsMissing() const;

private:
    bool m_transactionsCreated = false;
};

// The single data module of the running program (the windows reach it through this).
TDataModule1& dataModule();

} // namespace store
