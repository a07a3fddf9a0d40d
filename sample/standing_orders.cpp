#include "sample/standing_orders.h"

#include "sample/sample_text.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace sample {
namespace {

// Names none of the everyday parties can take, so that each order is a relation of its own.
const char* const kSurnames[] = {"BAKKER", "VISSER", "SMIT", "MULDER", "DEKKER", "BOS"};
const char* const kCities[] = {"ZWOLLE", "UTRECHT", "LEIDEN", "DELFT", "GOUDA", "ARNHEM"};
const char* const kNouns[] = {"LINDE", "EIK", "REIGER", "ZWALUW", "MOLEN", "HAVEN"};

struct OrderPlan
{
    Layout layout;
    QString name;
    const char* purpose;
    int sign;
    int months;
    int day;
    int lowCents;
    int highCents;
    int swingPercent; // > 0: a variable bill, never raised
    int count;        // > 0: ends after that many payments
};

Party partyOf(Random& random, const OrderPlan& plan)
{
    Party party;
    party.layout = plan.layout;
    party.name = plan.name;
    party.account = plan.layout == Layout::Giro
                        ? digits(random, random.between(3, 7))
                        : digits(random, 2) + u'.' + digits(random, 2) + u'.' + digits(random, 2) +
                              u'.' + digits(random, 3);
    party.purpose = QString::fromUtf8(plan.purpose);
    party.sign = plan.sign;
    party.day = plan.day;
    party.lowCents = party.highCents = random.between(plan.lowCents, plan.highCents);
    return party;
}

// The day of a month, or its last day in a shorter month.
QDate dueDay(int year, int month, int day)
{
    const QDate first(year, month, 1);
    return QDate(year, month, std::min(day, first.daysInMonth()));
}

} // namespace

std::vector<StandingOrder> makeStandingOrders(Random& random)
{
    const QString city = any(random, kCities);
    // In the order a short file takes them: a mix of rhythms first.
    const OrderPlan orderPlans[] = {
        {Layout::Account, u"INSTALLATIEBEDRIJF "_s + any(random, kSurnames), "SALARIS", 1, 1, 24,
         210000, 380000, 0, 0},
        {Layout::Giro, u"WONINGCORPORATIE "_s + city, "HUUR", -1, 1, 1, 60000, 110000, 0, 0},
        {Layout::Account, u"ZORGVERZEKERAAR "_s + any(random, kNouns), "PREMIE", -1, 1, 3, 11000,
         16000, 0, 0},
        {Layout::Account, u"ENERGIELEVERANCIER "_s + city, "VOORSCHOT", -1, 1, 15, 9000, 19000, 30,
         0},
        {Layout::Account, u"TELECOM BV"_s, "ABONNEMENT", -1, 1, 20, 2500, 6000, 25, 0},
        {Layout::Account, u"DRINKWATERBEDRIJF "_s + city, "VOORSCHOT", -1, 3, 12, 4000, 9000, 0, 0},
        {Layout::Account, u"WEGENWACHT CLUB"_s, "LIDMAATSCHAP", -1, 12, 10, 5000, 9000, 0, 0},
        {Layout::Giro, u"HOOGHEEMRAADSCHAP "_s + city, "AANSLAG", -1, 12, 28, 20000, 40000, 0, 0},
        {Layout::Account, u"KINDERBIJSLAGFONDS"_s, "KINDERBIJSLAG", 1, 3, 2, 25000, 30000, 0, 0},
        {Layout::Account, u"SPORTSCHOOL FIT "_s + city, "CONTRIBUTIE", -1, 1, 27, 2500, 4000, 0,
         20},
        {Layout::Giro, u"TENNISCLUB DE "_s + any(random, kNouns), "CONTRIBUTIE", -1, 1, 5, 1500,
         3500, 0, 0},
        {Layout::Account, u"STREAMDIENST BV"_s, "ABONNEMENT", -1, 1, 12, 999, 1799, 0, 0},
        {Layout::Account, u"BERGING VERHUUR BV"_s, "HUUR", -1, 3, 1, 9000, 15000, 0, 0},
        {Layout::Giro, u"ROEIVERENIGING DE "_s + any(random, kNouns), "CONTRIBUTIE", -1, 6, 14,
         6000, 9000, 0, 0},
        {Layout::Account, u"DOMEINHOSTING BV"_s, "FACTUUR", -1, 12, 19, 1500, 3000, 0, 0},
        {Layout::Account, u"INBOEDELVERZEKERING NV"_s, "PREMIE", -1, 1, 8, 1200, 2500, 0, 0},
        {Layout::Giro, u"MUZIEKSCHOOL "_s + city, "LESGELD", -1, 1, 6, 4500, 7500, 0, 14},
        {Layout::Account, u"OCHTENDKRANT MEDIA BV"_s, "ABONNEMENT", -1, 1, 10, 2800, 3600, 0, 0},
        {Layout::Account, u"AUTOVERZEKERING DIRECT NV"_s, "PREMIE", -1, 1, 18, 4500, 9000, 0, 0},
        {Layout::Account, u"GLASVEZEL NETWERK BV"_s, "ABONNEMENT", -1, 1, 22, 4000, 6500, 0, 0},
        {Layout::Giro, u"STICHTING KINDERHULP"_s, "GIFT", -1, 1, 28, 1000, 2500, 0, 0},
        {Layout::Account, u"KINDERDAGVERBLIJF DE "_s + any(random, kNouns), "FACTUUR", -1, 1, 25,
         40000, 90000, 0, 0},
        {Layout::Account, u"DIENST TOESLAGEN"_s, "TOESLAG", 1, 1, 20, 5000, 12000, 0, 0},
    };
    std::vector<StandingOrder> orders;
    for (const OrderPlan& plan : orderPlans) {
        StandingOrder order;
        order.party = partyOf(random, plan);
        order.months = plan.months;
        order.firstMonth = random.below(plan.months);
        order.count = plan.count;
        order.swingPercent = plan.swingPercent;
        if (plan.swingPercent == 0) {
            order.risePermille = random.between(350, 650);
            order.risePercent = random.between(2, 9);
        }
        orders.push_back(order);
    }
    return orders;
}

std::vector<Due> duesOf(const StandingOrder& order, const SampleOptions& options, Random& random)
{
    const QDate first(options.startYear, 1, 1);
    const QDate last = first.addYears(options.years).addDays(-1);
    std::vector<QDate> dates;
    for (int m = order.firstMonth; m < 12 * options.years; m += order.months) {
        if (order.count > 0 && int(dates.size()) == order.count)
            break;
        QDate date = dueDay(options.startYear + m / 12, m % 12 + 1, order.party.day);
        if (order.party.layout == Layout::Giro)
            date = date.addDays(random.between(-2, 2)); // paid by hand, a day early or late
        if (date.dayOfWeek() > 5)
            date = date.addDays(8 - date.dayOfWeek());
        if (date > last)
            date = last.addDays(last.dayOfWeek() > 5 ? 5 - last.dayOfWeek() : 0);
        dates.push_back(std::clamp(date, first, last));
    }
    const int n = int(dates.size());
    // The raised amount holds for at least two payments, so that it reads as a rise.
    const int riseAt =
        order.risePermille == 0 || n < 3
            ? n
            : std::clamp(n * order.risePermille / 1000, 1, order.months >= 6 ? n - 1 : n - 2);
    std::vector<Due> dues;
    for (int i = 0; i < n; ++i) {
        qint64 cents = order.party.lowCents;
        if (i >= riseAt)
            cents = cents * (100 + order.risePercent) / 100;
        if (order.swingPercent > 0)
            cents = cents * (100 + random.between(-order.swingPercent, order.swingPercent)) / 100;
        dues.push_back({dates[std::size_t(i)], order.party.sign * cents});
    }
    return dues;
}

} // namespace sample
