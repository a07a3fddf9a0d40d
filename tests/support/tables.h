#pragma once

#include "store/dbase/table.h"
#include "store/table_definitions.h"
#include "store/table_names.h"
#include "tests/support/relation_year.h"

#include <QDate>
#include <QString>
#include <memory>

// In-memory tables of the program with a few rows, for tests of the logic above the engine.
namespace testsupport {

struct Tables
{
    std::unique_ptr<dbase::Table> mutaties =
        dbase::Table::createInMemory(store::mutatiesDefinition(), store::names::kIndexDatum);
    std::unique_ptr<dbase::Table> bedrijven =
        dbase::Table::createInMemory(store::bedrijvenDefinition(), store::names::kIndexNaam);

    void addTransaction(const QDate& datum, const QString& naam, double bedrag, int soort = 3)
    {
        using namespace store::names;
        mutaties->append();
        mutaties->fieldByName(kDatum).setAsDate(datum);
        mutaties->fieldByName(kSoort).setAsInteger(soort);
        mutaties->fieldByName(kNaam).setAsString(naam);
        mutaties->fieldByName(kBedrag).setAsFloat(bedrag);
        mutaties->post();
    }

    void addRelationYear(const QString& naam, const QString& jaar)
    {
        testsupport::addRelationYear(*bedrijven, {naam, jaar});
    }

    // Filters a table to the rows whose field (a text) satisfies the test.
    template <typename Test>
    static void filterOn(dbase::Table& table, const QString& field, Test test)
    {
        const int f = table.fieldIndex(field);
        table.setFilterPredicate(
            [f, test](const dbase::RowView& row) { return test(row.asString(f)); });
        table.setFiltered(true);
    }
};

} // namespace testsupport
