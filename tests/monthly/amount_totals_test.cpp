// The sums of the presented transactions, in whole cents.
#include "monthly/amount_totals.h"
#include "store/dbase/field_codec.h"
#include "tests/support/tables.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(AmountTotals, sumsTheSignsOfThePresentedRowsApart)
{
    testsupport::Tables t;
    t.addTransaction(QDate(2010, 1, 5), u"BAKKER"_s, -12.5, 6);
    t.addTransaction(QDate(2010, 2, 1), u"WERKGEVER"_s, 2500.25, 4);
    t.addTransaction(QDate(2010, 2, 3), u"BAKKER"_s, -0.01, 6);
    t.addTransaction(QDate(2010, 3, 9), u"BAKKER"_s, 0.0, 3);
    t.addTransaction(QDate(2011, 1, 1), u"VERHUURDER"_s, -1234567.89, 4);
    t.addTransaction(QDate(2011, 6, 2), u"BAKKER"_s, 7.75, 5);
    // Summed as doubles these give -0.30000000000000004.
    t.addTransaction(QDate(2012, 2, 2), u"TELEFOON"_s, -0.1, 5);
    t.addTransaction(QDate(2012, 3, 3), u"TELEFOON"_s, -0.2, 6);
    // Round sums that the shortest double form writes with an exponent ("-1e+06").
    t.addTransaction(QDate(2013, 4, 4), u"HUIS"_s, -1000000, 4);
    t.addTransaction(QDate(2013, 5, 5), u"HUIS"_s, 100000, 3);

    struct Case
    {
        const char* name;
        QString naam; // filter on the relation; empty: none
        qint64 in, out, balance;
        QString line; // as `kolvaro-cli count mutaties` writes them
    };
    const Case cases[] = {
        {"every row", {}, 10250800, -223458070, -213207270, u"102508\t-2234580.7\t-2132072.7"_s},
        {"one relation, both signs", u"BAKKER"_s, 775, -1251, -476, u"7.75\t-12.51\t-4.76"_s},
        {"only incoming", u"WERKGEVER"_s, 250025, 0, 250025, u"2500.25\t0\t2500.25"_s},
        {"tenths that doubles do not add exactly", u"TELEFOON"_s, 0, -30, -30, u"0\t-0.3\t-0.3"_s},
        {"round sums without exponent", u"HUIS"_s, 10000000, -100000000, -90000000,
         u"100000\t-1000000\t-900000"_s},
        {"nothing presented", u"NIEMAND"_s, 0, 0, 0, u"0\t0\t0"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        t.mutaties->setFiltered(false);
        t.mutaties->clearFilterPredicate();
        if (!c.naam.isEmpty())
            testsupport::Tables::filterOn(*t.mutaties, store::names::kNaam,
                                          [n = c.naam](const QString& v) { return v == n; });
        const monthly::AmountTotals sums = monthly::presentedAmountTotals(*t.mutaties);
        EXPECT_EQ(sums.inCents, c.in);
        EXPECT_EQ(sums.outCents, c.out);
        EXPECT_EQ(sums.balanceCents, c.balance);
        EXPECT_EQ(QStringList({dbase::codec::shortestDouble(monthly::euros(sums.inCents)),
                               dbase::codec::shortestDouble(monthly::euros(sums.outCents)),
                               dbase::codec::shortestDouble(monthly::euros(sums.balanceCents))})
                      .join(u'\t'),
                  c.line);
    }
}

} // namespace
