#pragma once

#include "charts/series/chart_series.h"
#include "store/date_format.h"
#include "store/dbase/table.h"

#include <QDate>
#include <vector>

namespace charts {

// The transaction chart: one bar per transaction (its amount without sign, red going out and
// green coming in) and the running mean of the outgoing and of the incoming amounts. Kept as
// columns rather than Points: a lifetime of transactions is a million bars, and a label text per
// bar would cost more than the rest together.
class TransactionSeries
{
public:
    static constexpr Rgb kOutgoing = 0xFF0000; // bar of an amount below 0
    static constexpr Rgb kIncoming = 0x008000; // bar of an amount of 0 or more
    static constexpr Rgb kOutgoingLine = 0x8A0000;
    static constexpr Rgb kIncomingLine = 0x005100;

    std::vector<double> values;          // bar heights
    std::vector<QDate> dates;            // bar labels
    std::vector<bool> outgoing;          // bar colours
    std::vector<double> outgoingAverage; // the mean of the outgoing values so far; 0 before any
    std::vector<double> incomingAverage; // the same for the incoming values

    std::size_t size() const { return values.size(); }
    void clear();
    Rgb barColour(std::size_t i) const { return outgoing[i] ? kOutgoing : kIncoming; }
    QString label(std::size_t i) const { return m_dates.format(dates[i]); } // short date

    // Clears the series and appends a point per transaction that mutaties presents, in its order.
    // Points are appended as the rows are read, so after a failure the series holds the rows
    // before it. Controls bound to the table do not follow the walk; afterwards the cursor stands
    // on the last presented row.
    void scan(dbase::Table& mutaties);

private:
    store::datefmt::DateFormatter m_dates{store::datefmt::shortDateFormat()};
};

} // namespace charts
