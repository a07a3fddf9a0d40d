#include "monthly/month_sums.h"

#include "store/month_fields.h"
#include "store/number_format.h"
#include "store/table_names.h"

namespace monthly {

MonthSums geefsaldi(dbase::Table& bedrijven)
{
    bedrijven.post(); // a pending row counts with its new values

    const std::array<int, 12> fields = store::monthFieldIndexes(bedrijven);

    MonthSums sums{};
    // Reading the presented rows by position leaves the cursor, and so the grid, where it is.
    const int count = bedrijven.recordCount();
    for (int r = 0; r < count; ++r) {
        const dbase::RowView row = bedrijven.rowAt(r);
        for (std::size_t m = 0; m < fields.size(); ++m)
            sums[m] += row.asFloat(fields[m]);
    }
    return sums;
}

QStringList stripTexts(const MonthSums& sums)
{
    QStringList texts{QString()};
    for (const double sum : sums)
        texts << store::numfmt::formatSum(sum);
    return texts;
}

} // namespace monthly
