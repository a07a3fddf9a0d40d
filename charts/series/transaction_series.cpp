#include "charts/series/transaction_series.h"

#include "store/dbase/update_blocker.h"
#include "store/table_names.h"

#include <cmath>

namespace charts {

void TransactionSeries::clear()
{
    values.clear();
    dates.clear();
    outgoing.clear();
    outgoingAverage.clear();
    incomingAverage.clear();
}

void TransactionSeries::scan(dbase::Table& mutaties)
{
    clear();
    m_dates = store::datefmt::DateFormatter(store::datefmt::shortDateFormat());
    const dbase::UpdateBlocker blocker(mutaties);
    const int datum = mutaties.fieldByName(store::names::kDatum).index();
    const int bedrag = mutaties.fieldByName(store::names::kBedrag).index();
    const auto rows = static_cast<std::size_t>(mutaties.recordCount());
    values.reserve(rows);
    dates.reserve(rows);
    outgoing.reserve(rows);
    outgoingAverage.reserve(rows);
    incomingAverage.reserve(rows);

    long long outCount = 0, inCount = 0;
    double outSum = 0.0, inSum = 0.0;
    for (mutaties.first(); !mutaties.eof(); mutaties.next()) {
        const dbase::RowView row = mutaties.currentRow();
        const double amount = row.asFloat(bedrag);
        const bool out = amount < 0.0;
        const double value = std::fabs(amount);
        if (out) {
            ++outCount;
            outSum += value;
        } else {
            ++inCount;
            inSum += value;
        }
        values.push_back(value);
        dates.push_back(row.asDate(datum));
        outgoing.push_back(out);
        outgoingAverage.push_back(outCount > 0 ? outSum / double(outCount) : 0.0);
        incomingAverage.push_back(inCount > 0 ? inSum / double(inCount) : 0.0);
    }
}

} // namespace charts
