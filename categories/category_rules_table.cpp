#include "categories/category_rules_table.h"

#include "categories/category_rule.h"
#include "relations/rules_table_file.h"

using namespace Qt::StringLiterals;

namespace categories::rulestable {

const dbase::TableDefinition& definition()
{
    static const dbase::TableDefinition table =
        relations::rulesfile::rulesTableDefinition(u"rubriek.DBF"_s, kRubriek, kCategoryNameMax);
    return table;
}

} // namespace categories::rulestable
