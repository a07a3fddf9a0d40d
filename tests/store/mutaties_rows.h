#pragma once

#include "store/dbase/table.h"

#include <QDate>
#include <QString>
#include <memory>
#include <ostream>
#include <vector>

// Rows of the program's transactions table, for the tests that work on real files.
namespace enginetest {

// One row of mutaties as the program writes it.
struct Mutatie
{
    QDate datum{};
    int soort = 0;
    QString naam;
    QString omschrijving;
    QString reknum;
    double bedrag = 0;
};

void addMutatie(dbase::Table& table, const Mutatie& row);
Mutatie currentMutatie(dbase::Table& table);
bool operator==(const Mutatie& a, const Mutatie& b);
void PrintTo(const Mutatie& row, std::ostream* os);

// mutaties as earlier versions wrote it: the six fields without the bank's balances.
dbase::TableDefinition mutatiesWithoutBalances();

// Opens store::mutatiesDefinition() in `folder` on `indexName` (empty: record order).
std::unique_ptr<dbase::Table> openMutaties(const QString& folder, const QString& indexName = {});
std::vector<Mutatie> readAll(dbase::Table& table);

} // namespace enginetest
