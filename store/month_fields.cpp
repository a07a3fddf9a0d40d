#include "store/month_fields.h"

#include "store/dbase/table.h"

namespace store {

std::array<int, 12> monthFieldIndexes(dbase::Table& bedrijven)
{
    std::array<int, 12> fields{};
    for (std::size_t m = 0; m < names::kMonths.size(); ++m)
        fields[m] = bedrijven.fieldByName(names::kMonths[m]).index();
    return fields;
}

} // namespace store
