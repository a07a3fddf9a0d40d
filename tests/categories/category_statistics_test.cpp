#include "categories/category_statistics.h"
#include "categories/relation_account.h"
#include "tests/support/tables.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace store::names;
using categories::CategoryField;
using categories::CategoryRule;
using relations::RuleKind;

namespace {

void add(testsupport::Tables& t, const QDate& datum, const QString& naam,
         const QString& omschrijving, const QString& reknum, double bedrag)
{
    t.mutaties->append();
    t.mutaties->fieldByName(kDatum).setAsDate(datum);
    t.mutaties->fieldByName(kNaam).setAsString(naam);
    t.mutaties->fieldByName(kOmschrijving).setAsString(omschrijving);
    t.mutaties->fieldByName(kReknum).setAsString(reknum);
    t.mutaties->fieldByName(kBedrag).setAsFloat(bedrag);
    t.mutaties->post();
}

CategoryRule rule(CategoryField field, RuleKind kind, const QString& pattern,
                  const QString& category)
{
    CategoryRule r;
    r.field = field;
    r.kind = kind;
    r.pattern = pattern;
    r.category = category;
    return categories::checkedRule(r);
}

} // namespace

// What each rule decides, and what it matches that an own account or an earlier rule takes;
// the account of a relation; the account behind a reknum.
TEST(CategoryStatistics, countsPerRuleTheRelationsAccountAndTheAccountOfAReknum)
{
    testsupport::Tables t;
    add(t, QDate(2024, 1, 2), u"BAKKER 1"_s, u"PAS 1"_s, u"R1"_s, -2.50);
    add(t, QDate(2024, 1, 3), u"BAKKER 2"_s, u"PAS 2"_s, u"R2"_s, -4.25);
    add(t, QDate(2024, 1, 4), u"BAKKER 2"_s, u"PAS 2"_s, u"R2"_s, -4.25); // same texts again
    add(t, QDate(2024, 1, 5), u"VERHUURDER"_s, u"HUUR BAKKERSTRAAT"_s, u"R3"_s, -650.00);
    add(t, QDate(2024, 1, 6), u"SPAREN"_s, u"BAKKER SPAARPOT"_s, u"KOLV0123456789"_s, -75.00);
    add(t, QDate(2024, 1, 7), u"SPAREN"_s, u"TERUG"_s, u"KOLV0123456789"_s, 20.00);
    add(t, QDate(2024, 1, 8), u"SPAREN"_s, u"EENMALIG"_s, u"KOLV0000000009"_s, 5.00);
    const std::vector<CategoryRule> rules = {
        rule(CategoryField::Omschrijving, RuleKind::Contains, u"huur"_s, u"Wonen"_s),
        rule(CategoryField::Omschrijving, RuleKind::Contains, u"bakker"_s, u"Brood"_s),
        rule(CategoryField::Naam, RuleKind::BeginsWith, u"bakker"_s, u"Brood"_s),
        rule(CategoryField::Naam, RuleKind::Equal, u"niemand"_s, u"Leeg"_s),
    };
    const categories::CategoryResolver resolver(rules,
                                                categories::OwnAccounts({u"NL07KOLV0123456789"_s}));
    const auto statistics =
        categories::categoryRuleStatistics(*t.mutaties, relations::GroupResolver(), resolver);
    const struct
    {
        int transactions;
        qint64 cents;
        int shadowed;
    } expected[] = {{1, -65000, 0}, {0, 0, 2}, {3, -1100, 0}, {0, 0, 0}};
    ASSERT_EQ(statistics.size(), std::size(expected));
    for (std::size_t r = 0; r < statistics.size(); ++r) {
        SCOPED_TRACE(r + 1);
        EXPECT_EQ(statistics[r].transactions, expected[r].transactions);
        EXPECT_EQ(statistics[r].cents, expected[r].cents);
        EXPECT_EQ(statistics[r].shadowed, expected[r].shadowed);
    }

    const relations::GroupResolver groups;
    EXPECT_EQ(categories::mostFrequentReknum(*t.mutaties, groups, u"sparen"_s),
              u"KOLV0123456789"_s);
    EXPECT_EQ(categories::mostFrequentReknum(*t.mutaties, groups, u"BAKKER 2"_s), u"R2"_s);
    EXPECT_EQ(categories::mostFrequentReknum(*t.mutaties, groups, u"NIEMAND"_s), QString());

    const struct
    {
        QString reknum;
        std::optional<QString> account;
    } accounts[] = {
        {u"KOLV0123456789"_s, u"NL07KOLV0123456789"_s},
        {u"kolv0123456789"_s, u"NL07KOLV0123456789"_s},
        {u"12.34.56.789"_s, u"12.34.56.789"_s},
        {u"KOLV012345678"_s, std::nullopt}, // one digit short
        {u"R2"_s, std::nullopt},
    };
    for (const auto& a : accounts)
        EXPECT_EQ(categories::accountOfReknum(a.reknum), a.account) << a.reknum.toStdString();
}
