#include "relations/group_rules_table.h"

using namespace Qt::StringLiterals;

namespace relations::rulestable {

const dbase::TableDefinition& definition()
{
    static const dbase::TableDefinition table = [] {
        using dbase::FieldDef;
        dbase::TableDefinition d;
        d.fileName = u"relgroep.DBF"_s;
        d.fields = {FieldDef{kNr, 'N', 4, 0, 0},        FieldDef{kActief, 'L', 1, 0, 0},
                    FieldDef{kVeld, 'C', 12, 0, 0},     FieldDef{kSoort, 'C', 10, 0, 0},
                    FieldDef{kPatroon, 'C', 200, 0, 0}, FieldDef{kGroep, 'C', 40, 0, 0},
                    FieldDef{kNotitie, 'C', 100, 0, 0}};
        for (const FieldDef& field : d.fields)
            d.required.push_back({field.name, field.dataType()});
        return d;
    }();
    return table;
}

} // namespace relations::rulestable
