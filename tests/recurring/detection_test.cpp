// Detection of recurring items on small histories: the rules at their edges and bad input.
#include "recurring/detection.h"
#include "recurring/hidden_items.h"
#include "store/transaction_kinds.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

using recurring::Payment;
using recurring::RecurringItem;

const QDate kStart(2023, 1, 2); // a Monday

// `count` payments of `cents` to `group`, `months` apart from kStart plus `shift` days; each
// payment its own record and date.
std::vector<Payment> series(const QString& group, qint64 cents, int months, int count,
                            int shift = 0, const QString& reknum = {})
{
    static int record = 0;
    std::vector<Payment> out;
    for (int i = 0; i < count; ++i)
        out.push_back(
            {++record, kStart.addMonths(i * months).addDays(shift), cents, group, reknum});
    return out;
}

std::vector<Payment> operator+(std::vector<Payment> a, const std::vector<Payment>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// An item as one line: relation, rhythm, status, direction, latest amount, the rise if any.
std::string text(const RecurringItem& item)
{
    QString line = QStringList{item.relation,
                               recurring::rhythmName(item.rhythm),
                               recurring::statusName(item.status),
                               item.income ? u"bij"_s : u"af"_s,
                               QString::number(item.lastCents),
                               QString::number(item.payments.size())}
                       .join(u' ');
    if (item.rise)
        line += QStringLiteral(" rise %1 %2>%3")
                    .arg(item.rise->date.toString(Qt::ISODate))
                    .arg(item.rise->oldCents)
                    .arg(item.rise->newCents);
    return line.toStdString();
}

std::vector<std::string> detected(const std::vector<Payment>& payments, QDate asOf)
{
    std::vector<std::string> lines;
    for (const RecurringItem& item : recurring::detectRecurring(payments, asOf))
        lines.push_back(text(item));
    return lines;
}

// Varying amounts around `cents`, every month.
std::vector<Payment> bills(const QString& group, qint64 cents, int count)
{
    std::vector<Payment> out = series(group, cents, 1, count);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i].cents = cents + qint64((i * 7919) % 23) * 150 - 1500;
    return out;
}

// Visits to a shop: `perMonth` a month on spread days, amounts all different.
std::vector<Payment> shop(const QString& group, int perMonth, int months)
{
    std::vector<Payment> out;
    for (int m = 0; m < months; ++m)
        for (int v = 0; v < perMonth; ++v)
            out.push_back({5000 + m * 1000 + v, kStart.addMonths(m).addDays(v * 27 / perMonth),
                           -(1234 + 111 * v + 7 * m), group, QString()});
    return out;
}

std::vector<Payment> raised(std::vector<Payment> payments, std::size_t from, qint64 cents)
{
    for (std::size_t i = from; i < payments.size(); ++i)
        payments[i].cents = cents;
    return payments;
}

std::vector<Payment> odd(std::vector<Payment> payments, std::size_t at, qint64 cents)
{
    payments[at].cents = cents;
    return payments;
}

std::vector<Payment> paidBy(std::vector<Payment> payments, int kind)
{
    for (Payment& p : payments)
        p.kind = kind;
    return payments;
}

std::vector<Payment> shifted(std::vector<Payment> payments, int months)
{
    for (Payment& p : payments)
        p.date = p.date.addMonths(months);
    return payments;
}

TEST(DetectionTest, rulesAndBadInput)
{
    const QDate end = kStart.addMonths(12);
    // Due on the 1st; on a weekend paid the Monday after.
    std::vector<Payment> weekend = series(u"Huurbaas"_s, -81234, 1, 12, -1);
    for (Payment& p : weekend)
        if (p.date.dayOfWeek() > 5)
            p.date = p.date.addDays(8 - p.date.dayOfWeek());
    const std::vector<Payment> renamed =
        series(u"Omroep Oud"_s, -2250, 1, 6, 3, u"NL11OMRO"_s) +
        shifted(series(u"Omroep Nieuw"_s, -2250, 1, 6, 3, u"NL11OMRO"_s), 6);
    const struct
    {
        const char* name;
        std::vector<Payment> payments;
        QDate asOf;
        std::vector<std::string> items;
    } cases[] = {
        {"one month of history",
         series(u"Kort"_s, -1500, 1, 1) + shop(u"Winkel"_s, 3, 1),
         kStart.addDays(30),
         {}},
        {"all on one day", series(u"Dag"_s, -999, 0, 40), kStart, {}},
        {"zero amounts", series(u"Nul"_s, 0, 1, 12), end, {}},
        {"hundreds a month", shop(u"Supermarkt"_s, 300, 12), end, {}},
        {"shop a few times a month", shop(u"Bakker"_s, 3, 12), end, {}},
        {"two yearly payments suffice",
         series(u"Jaarclub"_s, -4500, 12, 2, 5),
         end.addMonths(2),
         {"Jaarclub jaar loopt af -4500 2"}},
        {"two card payments a year apart: a shop",
         paidBy(series(u"Fietsenmaker"_s, -4500, 12, 2, 5), store::kinds::kPin),
         end.addMonths(2),
         {}},
        {"two yearly payments far apart in amount",
         series(u"Jaarclub"_s, -4500, 12, 1) + series(u"Jaarclub"_s, -9000, 12, 1, 365),
         end,
         {}},
        {"overdue by half the rhythm",
         series(u"Sportschool"_s, -3150, 1, 12),
         end.addDays(15),
         {"Sportschool maand loopt af -3150 12"}},
        {"overdue by more than half the rhythm",
         series(u"Sportschool"_s, -3150, 1, 12),
         end.addDays(16),
         {"Sportschool maand gestopt af -3150 12"}},
        {"weekend moved to the Monday", weekend, end, {"Huurbaas maand loopt af -81234 12"}},
        {"variable bill",
         bills(u"Energie"_s, -12000, 12),
         end,
         {"Energie maand wisselend af -12300 12"}},
        {"varying amounts paid by card: a shop",
         paidBy(bills(u"Slager"_s, -2500, 12), store::kinds::kPin),
         end,
         {}},
        {"cash taken out every month: paid to no one",
         paidBy(series(u"Geldautomaat"_s, -5000, 1, 12), store::kinds::kCash),
         end,
         {}},
        {"three payments, the last one different: chance",
         raised(series(u"Kapper"_s, -2750, 1, 3), 2, -3100),
         kStart.addMonths(3),
         {}},
        {"income",
         series(u"Werkgever"_s, 312345, 1, 12, 22),
         end.addDays(22),
         {"Werkgever maand loopt bij 312345 12"}},
        {"price rise on its first changed payment",
         raised(series(u"Verzekeraar"_s, -4321, 1, 12), 7, -4567),
         end,
         {"Verzekeraar maand loopt af -4567 12 rise 2023-08-02 -4321>-4567"}},
        {"one odd payment is no rise, an extra one no reason to refuse",
         odd(series(u"Krant"_s, -2999, 1, 12), 5, -1999) + series(u"Krant"_s, -1500, 1, 1, 9),
         end,
         {"Krant maand loopt af -2999 12"}},
        {"a monthly and a yearly item of one relation",
         series(u"Verzekeraar"_s, -2500, 1, 24) + series(u"Verzekeraar"_s, -15000, 12, 2, 10),
         kStart.addMonths(24),
         {"Verzekeraar maand loopt af -2500 24", "Verzekeraar jaar loopt af -15000 2"}},
        {"quarterly",
         series(u"Waterschap"_s, -9000, 3, 5, 1),
         end.addMonths(1),
         {"Waterschap kwartaal loopt af -9000 5"}},
        {"half-yearly",
         series(u"Roeiclub"_s, -7000, 6, 3, 2),
         end.addMonths(1),
         {"Roeiclub halfjaar loopt af -7000 3"}},
        {"one counterparty under two names",
         renamed,
         end,
         {"Omroep Nieuw maand loopt af -2250 12"}},
        {"payments after the day looked from are left out",
         series(u"Later"_s, -1700, 1, 12),
         kStart.addMonths(1),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(detected(c.payments, c.asOf), c.items);
    }
}

TEST(DetectionTest, hiddenKeySurvivesNewPaymentsAndRestarts)
{
    QTemporaryDir dir;
    const std::vector<Payment> year = series(u"Verhuurder"_s, -70000, 1, 12, 0, u"NL22HUUR"_s);
    const auto first = recurring::detectRecurring(year, kStart.addMonths(12));
    ASSERT_EQ(first.size(), 1u);
    recurring::hideItem(dir.path(), first[0].key);
    recurring::hideItem(dir.path(), u"groep:Ander|jaar|af"_s);
    recurring::hideItem(dir.path(), first[0].key);

    // A year more at a higher rent: the same item, found in the list read anew.
    const auto later = recurring::detectRecurring(year + raised(shifted(year, 12), 0, -73000),
                                                  kStart.addMonths(24));
    ASSERT_EQ(later.size(), 1u);
    EXPECT_EQ(later[0].key, first[0].key);
    EXPECT_EQ(recurring::loadHiddenItems(dir.path()),
              (QStringList{first[0].key, u"groep:Ander|jaar|af"_s}));

    // Under a new name the payments are taken per reknum: hidden all the same, until brought
    // back as the item it now is.
    std::vector<Payment> renamed = shifted(year, 12);
    for (Payment& p : renamed)
        p.group = u"Verhuurder Nieuw"_s;
    const auto third = recurring::detectRecurring(year + renamed, kStart.addMonths(24));
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(third[0].key, u"reknum:NL22HUUR|maand|af"_s);
    EXPECT_TRUE(recurring::isHidden(third[0], recurring::loadHiddenItems(dir.path())));
    recurring::unhideItem(dir.path(), third[0]);
    EXPECT_FALSE(recurring::isHidden(third[0], recurring::loadHiddenItems(dir.path())));

    recurring::unhideItem(dir.path(), u"groep:Niemand|maand|af"_s);
    EXPECT_EQ(recurring::loadHiddenItems(dir.path()), QStringList{u"groep:Ander|jaar|af"_s});
    EXPECT_THROW(recurring::hideItem(dir.path(), u"twee\nregels"_s), std::runtime_error);
}

} // namespace
