#include "tests/store/mutaties_rows.h"

#include "store/table_definitions.h"
#include "store/table_names.h"

namespace enginetest {

namespace names = store::names;

void addMutatie(dbase::Table& table, const Mutatie& row)
{
    table.append();
    table.fieldByName(names::kDatum).setAsDate(row.datum);
    table.fieldByName(names::kSoort).setAsInteger(row.soort);
    table.fieldByName(names::kNaam).setAsString(row.naam);
    table.fieldByName(names::kOmschrijving).setAsString(row.omschrijving);
    table.fieldByName(names::kReknum).setAsString(row.reknum);
    table.fieldByName(names::kBedrag).setAsFloat(row.bedrag);
    table.post();
}

Mutatie currentMutatie(dbase::Table& table)
{
    return {table.fieldByName(names::kDatum).asDate(),
            static_cast<int>(table.fieldByName(names::kSoort).asInteger()),
            table.fieldByName(names::kNaam).asString(),
            table.fieldByName(names::kOmschrijving).asString(),
            table.fieldByName(names::kReknum).asString(),
            table.fieldByName(names::kBedrag).asFloat()};
}

bool operator==(const Mutatie& a, const Mutatie& b)
{
    return a.datum == b.datum && a.soort == b.soort && a.naam == b.naam &&
           a.omschrijving == b.omschrijving && a.reknum == b.reknum && a.bedrag == b.bedrag;
}

void PrintTo(const Mutatie& row, std::ostream* os)
{
    *os << '{' << row.datum.toString(Qt::ISODate).toStdString() << ", " << row.soort << ", \""
        << row.naam.toStdString() << "\", \"" << row.omschrijving.toStdString() << "\", \""
        << row.reknum.toStdString() << "\", " << row.bedrag << '}';
}

std::unique_ptr<dbase::Table> openMutaties(const QString& folder, const QString& indexName)
{
    auto table = std::make_unique<dbase::Table>();
    table->setDefinition(store::mutatiesDefinition());
    table->setDirectory(folder);
    table->setIndexName(indexName);
    table->open();
    return table;
}

std::vector<Mutatie> readAll(dbase::Table& table)
{
    std::vector<Mutatie> rows;
    for (table.first(); !table.eof(); table.next())
        rows.push_back(currentMutatie(table));
    return rows;
}

dbase::TableDefinition mutatiesWithoutBalances()
{
    dbase::TableDefinition definition = store::mutatiesDefinition();
    definition.fields.resize(6);
    definition.required.resize(6);
    definition.laterFields.clear();
    return definition;
}

} // namespace enginetest
