#include "relations/group_rules_table.h"

#include "relations/group_rule.h"
#include "relations/rules_table_file.h"

using namespace Qt::StringLiterals;

namespace relations::rulestable {

const dbase::TableDefinition& definition()
{
    static const dbase::TableDefinition table =
        rulesfile::rulesTableDefinition(u"relgroep.DBF"_s, kGroep, kGroupNameMax);
    return table;
}

} // namespace relations::rulestable
