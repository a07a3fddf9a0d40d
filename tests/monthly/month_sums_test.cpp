#include "monthly/month_sums.h"
#include "tests/support/tables.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace store::names;
using testsupport::Tables;

namespace {

void setMonth(dbase::Table& bedrijven, int m, double value)
{
    bedrijven.edit();
    bedrijven.fieldByName(kMonths[std::size_t(m - 1)]).setAsFloat(value);
    bedrijven.post();
}

} // namespace

TEST(MonthSums, addsThePresentedRowsAndLeavesTheCursorWhereItWas)
{
    Tables t;
    t.addRelationYear(u"A"_s, u"2010"_s);
    setMonth(*t.bedrijven, 1, -1234.5);
    setMonth(*t.bedrijven, 2, 0.1);
    t.addRelationYear(u"B"_s, u"2011"_s);
    setMonth(*t.bedrijven, 1, 1000.0);
    setMonth(*t.bedrijven, 2, 0.2);
    t.addRelationYear(u"C"_s, u"2010"_s); // months still empty: adds 0
    t.bedrijven->moveTo(1);

    const monthly::MonthSums all = monthly::geefsaldi(*t.bedrijven);
    EXPECT_DOUBLE_EQ(all[0], -234.5);
    EXPECT_DOUBLE_EQ(all[1], 0.3);
    EXPECT_EQ(all[11], 0.0);
    EXPECT_EQ(t.bedrijven->position(), 1);

    Tables::filterOn(*t.bedrijven, kJaar,
                     [](const QString& jaar) { return jaar.startsWith(u"2010"); });
    EXPECT_DOUBLE_EQ(monthly::geefsaldi(*t.bedrijven)[0], -1234.5);
    Tables::filterOn(*t.bedrijven, kJaar, [](const QString&) { return false; });
    EXPECT_EQ(monthly::geefsaldi(*t.bedrijven), monthly::MonthSums{});
}

TEST(MonthSums, stripHasAnEmptySpacerThenTwelveFormattedSums)
{
    monthly::MonthSums sums{};
    sums[0] = -1234.5;
    const QStringList texts = monthly::stripTexts(sums);
    ASSERT_EQ(texts.size(), 13);
    EXPECT_EQ(texts[0], QString());
    EXPECT_EQ(texts[1], u"-1.234,50"_s);
    EXPECT_EQ(texts[12], u"0,00"_s);
}
