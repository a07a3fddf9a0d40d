#include "categories/category_index.h"
#include "categories/category_statistics.h"
#include "categories/own_transfers.h"
#include "store/dbase/update_blocker.h"
#include "tests/support/tables.h"

#include <gtest/gtest.h>

#include <map>

using namespace Qt::StringLiterals;
using namespace store::names;
using categories::CategoryField;
using categories::CategoryRule;
using relations::RuleKind;

namespace {

struct Transaction
{
    QDate datum;
    QString naam;
    QString omschrijving;
    QString reknum;
    double bedrag;
};

// Each rule catches only by its own field: the texts of the other fields would send the
// transaction elsewhere.
const Transaction kTransactions[] = {
    {QDate(2023, 12, 5), u"AH 12"_s, u"PAS 1"_s, u"R1"_s, -10.00},
    {QDate(2024, 1, 3), u"AH 12"_s, u"PAS 2"_s, u"R2"_s, -25.50},
    {QDate(2024, 1, 15), u"WONINGSTICHTING"_s, u"HUUR JAN"_s, u"R3"_s, -700.00},
    {QDate(2024, 2, 1), u"ENERGIE BV"_s, u"TERMIJN"_s, u"R4"_s, -120.25},
    {QDate(2024, 2, 10), u"SPAARREKENING"_s, u"OVERBOEKING"_s, u"FINA0000005472"_s, -300.00},
    {QDate(2024, 2, 11), u"SPAARREKENING"_s, u"TERUG"_s, u"FINA0000005472"_s, 50.00},
    {QDate(2024, 3, 1), u"WERKGEVER"_s, u"SALARIS"_s, u"R5"_s, 2500.00},
    {QDate(2024, 3, 2), u"HUURKIOSK"_s, u"ENERGIEDRANK"_s, u"SUPERMARKTEN"_s, -1234.56},
    {QDate(2024, 3, 3), u"AH 13"_s, u"PAS 3"_s, u"R7"_s, -14.75},
};

CategoryRule rule(CategoryField field, RuleKind kind, const QString& pattern,
                  const QString& category)
{
    CategoryRule r;
    r.field = field;
    r.kind = kind;
    r.pattern = pattern;
    r.category = category;
    return r;
}

struct Fixture
{
    testsupport::Tables tables;
    relations::GroupResolver groups{{relations::GroupRule{
        true, relations::RuleField::Naam, RuleKind::BeginsWith, u"AH "_s, u"SUPERMARKTEN"_s, {}}}};
    categories::CategoryResolver resolver{
        {rule(CategoryField::Groep, RuleKind::Equal, u"supermarkten"_s, u"Boodschappen"_s),
         rule(CategoryField::Omschrijving, RuleKind::Contains, u"huur"_s, u"Wonen"_s),
         rule(CategoryField::Naam, RuleKind::BeginsWith, u"energie"_s, u"Energie"_s)},
        categories::OwnAccounts({u"NL18FINA0000005472"_s})};

    Fixture()
    {
        for (const Transaction& t : kTransactions) {
            dbase::Table& m = *tables.mutaties;
            m.append();
            m.fieldByName(kDatum).setAsDate(t.datum);
            m.fieldByName(kSoort).setAsInteger(4);
            m.fieldByName(kNaam).setAsString(t.naam);
            m.fieldByName(kOmschrijving).setAsString(t.omschrijving);
            m.fieldByName(kReknum).setAsString(t.reknum);
            m.fieldByName(kBedrag).setAsFloat(t.bedrag);
            m.post();
        }
    }
};

qint64 cents(double amount)
{
    return std::llround(amount * 100);
}

} // namespace

TEST(CategoryIndex, everyTransactionInOneCategoryAndOwnTransfersLeftOutByTheSwitch)
{
    Fixture f;
    // A filter on the page must not hide transactions from the categories.
    // Nor may it move the page's cursor: the grid would lose its place.
    dbase::Table& mutaties = *f.tables.mutaties;
    testsupport::Tables::filterOn(mutaties, kNaam, [](const QString& naam) {
        return naam == u"WERKGEVER" || naam == u"AH 13";
    });
    mutaties.last();
    const categories::CategoryIndex index =
        categories::CategoryIndex::build(mutaties, f.groups, f.resolver);
    EXPECT_EQ(index.transactions().size(), std::size(kTransactions));
    EXPECT_TRUE(mutaties.filtered());
    EXPECT_EQ(mutaties.recordCount(), 2);
    EXPECT_EQ(mutaties.fieldByName(kNaam).asString(), u"AH 13"_s);
    EXPECT_EQ(index.years(), (QList<int>{2023, 2024}));

    const struct
    {
        bool leaveOut;
        qint64 expenses;
        QString coverage;
    } cases[] = {
        {true, 209506, u"Met rubriek: 41 % van de uitgaven — Overig € 1.234,56 (59 %)"_s},
        {false, 239506, u"Met rubriek: 48 % van de uitgaven — Overig € 1.234,56 (52 %)"_s},
    };
    for (const auto& c : cases) {
        const categories::CategoryOverview overview =
            categories::categoryOverview(index, 2024, c.leaveOut);
        QStringList order;
        std::map<int, qint64> byMonth;
        std::size_t records = 0;
        double shares = 0;
        for (const categories::CategoryRow& row : overview.rows) {
            order << row.category;
            for (int m = 0; m < 12; ++m)
                byMonth[m + 1] += row.months[std::size_t(m)];
            records += categories::recordsOf(index, row.category, 2024).size();
            EXPECT_EQ(row.leftOut, c.leaveOut && row.category == categories::kEigenRekening);
            shares += row.share;
            EXPECT_TRUE(row.previous.has_value());
        }
        EXPECT_EQ(order, (QStringList{u"Boodschappen"_s, u"Energie"_s, u"Wonen"_s, u"Overig"_s,
                                      u"Eigen rekening"_s}));
        std::map<int, qint64> expected;
        for (const Transaction& t : kTransactions)
            if (t.datum.year() == 2024)
                expected[t.datum.month()] += cents(t.bedrag);
        for (const auto& [month, sum] : expected)
            EXPECT_EQ(byMonth[month], sum) << month;
        EXPECT_EQ(records, std::size(kTransactions) - 1);
        EXPECT_EQ(overview.expenses, c.expenses);
        EXPECT_EQ(overview.uncategorised, 123456);
        EXPECT_NEAR(shares, 1.0, 1e-9);
        EXPECT_EQ(categories::coverageLine(overview), c.coverage);
        EXPECT_EQ(overview.rows[0].year, -4025);
        EXPECT_EQ(overview.rows[0].previous, -1000);
        EXPECT_EQ(overview.rows[1].previous, 0);
        EXPECT_EQ(overview.rows[4].months[1], -25000);
    }
    EXPECT_FALSE(categories::categoryOverview(index, 2023, true).rows[0].previous.has_value());
    const categories::CategoryOverview empty = categories::categoryOverview(index, 2025, true);
    EXPECT_TRUE(empty.rows.empty());
    EXPECT_EQ(categories::coverageLine(empty), u"Geen uitgaven in 2025"_s);

    // The records behind a double click, in date order.
    const std::vector<int> own = categories::recordsOf(index, categories::kEigenRekening, 2024);
    ASSERT_EQ(own.size(), 2u);
    const dbase::FilterLift all(*f.tables.mutaties);
    QStringList texts;
    for (const int record : own) {
        f.tables.mutaties->gotoBookmark(dbase::Bookmark(record));
        texts << f.tables.mutaties->fieldByName(kOmschrijving).asString();
    }
    EXPECT_EQ(texts, (QStringList{u"OVERBOEKING"_s, u"TERUG"_s}));
}

TEST(OwnTransfers, perGroupYearAndMonthOnlyTheOwnAccountsTransactions)
{
    Fixture f;
    relations::GroupResolver groups{{relations::GroupRule{
        true, relations::RuleField::Omschrijving, RuleKind::Equal, u"terug"_s, u"SPAREN"_s, {}}}};
    const categories::OwnTransfers transfers = categories::ownTransfers(
        *f.tables.mutaties, groups, categories::OwnAccounts({u"NL18FINA0000005472"_s}));
    std::array<qint64, 12> spaarrekening{}, sparen{};
    spaarrekening[1] = -30000;
    sparen[1] = 5000;
    EXPECT_EQ(transfers, (categories::OwnTransfers{{{u"SPAARREKENING"_s, u"2024"_s}, spaarrekening},
                                                   {{u"SPAREN"_s, u"2024"_s}, sparen}}));
    EXPECT_TRUE(categories::ownTransfers(*f.tables.mutaties, groups, {}).isEmpty());
}

TEST(CategoryRuleStatistics, eachRuleCountsWhatItDecidesAndWhatOthersTook)
{
    Fixture f;
    const categories::CategoryResolver resolver(
        {rule(CategoryField::Naam, RuleKind::Contains, u"huur"_s, u"Huur"_s),
         rule(CategoryField::Omschrijving, RuleKind::Contains, u"huur"_s, u"Wonen"_s),
         rule(CategoryField::Groep, RuleKind::Equal, u"supermarkten"_s, u"Boodschappen"_s),
         rule(CategoryField::Naam, RuleKind::BeginsWith, u"spaar"_s, u"Sparen"_s)},
        categories::OwnAccounts({u"NL18FINA0000005472"_s}));
    const std::vector<categories::CategoryRuleStatistics> statistics =
        categories::categoryRuleStatistics(*f.tables.mutaties, f.groups, resolver);
    const struct
    {
        int transactions;
        qint64 cents;
        int shadowed;
    } expected[] = {{1, -123456, 0}, {1, -70000, 0}, {3, -5025, 0}, {0, 0, 2}};
    ASSERT_EQ(statistics.size(), std::size(expected));
    for (std::size_t i = 0; i < statistics.size(); ++i) {
        EXPECT_EQ(statistics[i].transactions, expected[i].transactions) << i;
        EXPECT_EQ(statistics[i].cents, expected[i].cents) << i;
        EXPECT_EQ(statistics[i].shadowed, expected[i].shadowed) << i;
    }
}
