#include "categories/category_rules_table.h"

#include "categories/category_rule.h"
#include "relations/group_rule.h"

using namespace Qt::StringLiterals;

namespace categories::rulestable {

const dbase::TableDefinition& definition()
{
    static const dbase::TableDefinition table = [] {
        using dbase::FieldDef;
        dbase::TableDefinition d;
        d.fileName = u"rubriek.DBF"_s;
        d.fields = {FieldDef{kNr, 'N', 4, 0, 0},
                    FieldDef{kActief, 'L', 1, 0, 0},
                    FieldDef{kVeld, 'C', 12, 0, 0},
                    FieldDef{kSoort, 'C', 10, 0, 0},
                    FieldDef{kPatroon, 'C', relations::kPatternMax, 0, 0},
                    FieldDef{kRubriek, 'C', kCategoryNameMax, 0, 0},
                    FieldDef{kNotitie, 'C', relations::kNoteMax, 0, 0}};
        for (const FieldDef& field : d.fields)
            d.required.push_back({field.name, field.dataType()});
        return d;
    }();
    return table;
}

} // namespace categories::rulestable
