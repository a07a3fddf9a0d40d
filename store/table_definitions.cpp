#include "store/table_definitions.h"

#include "store/table_names.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace store {

using namespace names;
using dbase::FieldDef;

namespace {

// Amounts are N(15,2): two decimals, read as doubles by every dBase reader, and wide enough
// for any sum of a private account (up to 999 999 999 999,99).
FieldDef amount(const QString& name)
{
    return FieldDef{name, 'N', 15, 2, 0};
}

// An existing file must hold every field the program creates, each of the type its definition
// gives it.
dbase::TableDefinition withRequired(dbase::TableDefinition definition)
{
    for (const FieldDef& field : definition.fields)
        definition.required.push_back({field.name, field.dataType()});
    return definition;
}

} // namespace

const dbase::TableDefinition& mutatiesDefinition()
{
    static const dbase::TableDefinition definition = withRequired({
        u"mutaties.DBF"_s,
        {FieldDef{kDatum, 'D', 8, 0, 0}, FieldDef{kSoort, 'N', 4, 0, 0},
         FieldDef{kNaam, 'C', 40, 0, 0}, FieldDef{kOmschrijving, 'C', 250, 0, 0},
         FieldDef{kReknum, 'C', 15, 0, 0}, amount(kBedrag), amount(kSaldoVoor), amount(kSaldoNa)},
        {},
        {{kIndexDatum, kDatum}, {kIndexNaam, kNaam}, {kIndexBedrag, kBedrag}},
        // Tables written before the balances were kept gain them at their first write.
        {kSaldoVoor, kSaldoNa},
    });
    return definition;
}

const dbase::TableDefinition& bedrijvenDefinition()
{
    static const dbase::TableDefinition definition = [] {
        dbase::TableDefinition d;
        d.fileName = u"bedrijven.DBF"_s;
        d.fields = {FieldDef{kJaar, 'C', 4, 0, 0}, FieldDef{kNaam, 'C', 40, 0, 0},
                    FieldDef{kBanknr, 'C', 15, 0, 0}};
        for (const QString& month : kMonths)
            d.fields.push_back(amount(month));
        d.fields.push_back(FieldDef{kSelect, 'L', 1, 0, 0});
        d.indexes = {{kIndexNaam, kNaam}, {kIndexJaar, kJaar}};
        return withRequired(std::move(d));
    }();
    return definition;
}

} // namespace store
