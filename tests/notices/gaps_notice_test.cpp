// The notice of missing transactions and the lines of its message.
#include "notices/gaps_notice.h"
#include "store/date_format.h"

#include <gtest/gtest.h>

namespace {

TEST(GapsNotice, countsThePeriods)
{
    const std::pair<std::size_t, QString> cases[] = {
        {0, QString()},
        {1, QStringLiteral("Er ontbreken boekingen: 1 periode")},
        {2, QStringLiteral("Er ontbreken boekingen: 2 perioden")},
    };
    for (const auto& [gaps, text] : cases)
        EXPECT_EQ(notices::gapsNotice(gaps), text) << gaps;
}

TEST(GapsNotice, linesNameTheDatesAndTheAmount)
{
    const QDate a(2024, 3, 2), b(2024, 3, 5);
    const QString date = store::datefmt::formatShortDate(a);
    EXPECT_EQ(notices::gapLines({{a, b, -123456}, {b, b.addDays(1), 120000}}),
              QStringLiteral("tussen %1 en %2: -1.234,56 ontbreekt\ntussen %2 en %3: 1.200,00 "
                             "ontbreekt")
                  .arg(date, store::datefmt::formatShortDate(b),
                       store::datefmt::formatShortDate(b.addDays(1))));
}

} // namespace
