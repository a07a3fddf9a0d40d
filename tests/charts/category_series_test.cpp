#include "categories/category_index.h"
#include "categories/category_resolver.h"
#include "charts/series/category_series.h"
#include "tests/support/qt_print.h"
#include "tests/support/tables.h"

#include <gtest/gtest.h>

#include <map>

using namespace Qt::StringLiterals;
using namespace store::names;
using testsupport::Tables;

namespace {

void add(Tables& t, const QDate& datum, const QString& naam, const QString& reknum, double bedrag)
{
    t.mutaties->append();
    t.mutaties->fieldByName(kDatum).setAsDate(datum);
    t.mutaties->fieldByName(kSoort).setAsInteger(3);
    t.mutaties->fieldByName(kNaam).setAsString(naam);
    t.mutaties->fieldByName(kReknum).setAsString(reknum);
    t.mutaties->fieldByName(kOmschrijving).setAsString(u"OMS "_s + naam);
    t.mutaties->fieldByName(kBedrag).setAsFloat(bedrag);
    t.mutaties->post();
}

categories::CategoryRule rule(const QString& naam, const QString& category)
{
    categories::CategoryRule r;
    r.field = categories::CategoryField::Naam;
    r.kind = relations::RuleKind::Equal;
    r.pattern = naam;
    r.category = category;
    return categories::checkedRule(r);
}

} // namespace

// Ten categories of different size in 2024, one more in 2023, income, a refund and a transfer to
// an own account: the eight largest stack on their own, the rest together, and every month's
// stack is that month's expenses.
TEST(CategorySeries, stacksAddUpToEachMonthsExpensesWithTheRestTogether)
{
    Tables t;
    std::vector<categories::CategoryRule> rules;
    std::map<int, double> expenses; // month -> expenses without own transfers
    for (int c = 0; c < 10; ++c) {
        const QString naam = u"WINKEL %1"_s.arg(c);
        rules.push_back(rule(naam, u"Rubriek %1"_s.arg(QChar(u'A' + c))));
        for (int m = 1; m <= 12; m += 1 + c % 3) {
            const double amount = -(10.0 * (c + 1) + m / 4.0);
            add(t, QDate(2024, m, 3 + c), naam, u"1%1"_s.arg(c), amount);
            expenses[m] -= amount;
        }
    }
    add(t, QDate(2024, 2, 1), u"WINKEL 0"_s, u"10"_s, 7.5); // a refund: no expense
    add(t, QDate(2024, 3, 1), u"WERKGEVER"_s, u"555"_s, 2000.0);
    add(t, QDate(2024, 4, 1), u"SPAREN"_s, u"123456789"_s, -300.0);
    add(t, QDate(2023, 5, 1), u"WINKEL 9"_s, u"19"_s, -999.0);
    const categories::CategoryIndex index = categories::CategoryIndex::build(
        *t.mutaties, relations::GroupResolver(),
        categories::CategoryResolver(rules, categories::OwnAccounts({u"123456789"_s})));

    struct Case
    {
        bool leaveOut;
        double ownInApril; // what the own transfer adds to April's stack
    };
    for (const Case c : {Case{true, 0.0}, Case{false, 300.0}}) {
        SCOPED_TRACE(c.leaveOut);
        const std::vector<charts::Series> series =
            charts::categoryMonthSeries(index, 2024, c.leaveOut);
        ASSERT_EQ(series.size(), std::size_t(charts::kCategoriesShown + 1));
        EXPECT_EQ(series.back().title, u"Overige rubrieken"_s);
        // Largest first: J (the largest amounts, a transaction every month) leads.
        EXPECT_EQ(series.front().title, u"Rubriek J"_s);
        for (int m = 1; m <= 12; ++m) {
            double stack = 0;
            for (const charts::Series& s : series) {
                ASSERT_EQ(s.points.size(), 12u);
                EXPECT_EQ(s.points[std::size_t(m - 1)].label,
                          u"2024-%1"_s.arg(m, 2, 10, QChar(u'0')));
                stack += s.points[std::size_t(m - 1)].value;
            }
            EXPECT_NEAR(stack, expenses[m] + (m == 4 ? c.ownInApril : 0.0), 1e-9) << m;
        }
    }
    EXPECT_TRUE(charts::categoryMonthSeries(index, 2022, true).empty());
    EXPECT_EQ(charts::categoryChartYear(index, {}), 2024);
    EXPECT_EQ(charts::categoryChartYear(index, {u"2023"_s}), 2023);
}
