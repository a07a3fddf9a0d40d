#include "sample/counterparties.h"

#include "sample/sample_text.h"

#include <cstddef>
#include <iterator>

using namespace Qt::StringLiterals;

namespace sample {
namespace {

// Upper case, as the bank writes its descriptions; diacritics as Windows-1252 holds them.
const char* const kCities[] = {
    "AMSTERDAM", "UTRECHT",    "ZWOLLE",     "LEIDEN",    "HAARLEM",          "DELFT",
    "GOUDA",     "DEVENTER",   "ARNHEM",     "NIJMEGEN",  "'S-HERTOGENBOSCH", "MAASTRICHT",
    "GRONINGEN", "LEEUWARDEN", "ASSEN",      "ENSCHEDE",  "APELDOORN",        "AMERSFOORT",
    "HILVERSUM", "ALKMAAR",    "ZAANDAM",    "DORDRECHT", "ROTTERDAM",        "SCHIEDAM",
    "BREDA",     "TILBURG",    "EINDHOVEN",  "VENLO",     "ROERMOND",         "MIDDELBURG",
    "KAMPEN",    "SNEEK",      "DEN HELDER", "WEERT"};
const char* const kSurnames[] = {
    "JANSEN",  "DE VRIES", "VAN DEN BERG", "BAKKER",     "VISSER",  "SMIT",         "MEIJER",
    "DE JONG", "MULDER",   "BOS",          "VOS",        "DEKKER",  "KOK",          "HENDRIKS",
    "POSTMA",  "DIJKSTRA", "BROUWER",      "VAN 'T HOF", "MÜLLER",  "LEFÈVRE",      "DOËSBURG",
    "GÖBEL",   "FRANÇOIS", "HÉBERT",       "STRÖM",      "D'HONDT", "VAN DER WAAL", "ÇELIK",
    "KRAMER",  "WILLEMSE", "OOSTERHUIS",   "BLOEMENDAAL"};
const char* const kShops[] = {
    "BAKKERIJ",  "SLAGERIJ",    "DROGISTERIJ",  "SUPERMARKT",  "APOTHEEK",    "BOEKHANDEL",
    "BLOEMIST",  "IJSSALON",    "KAASWINKEL",   "VISHANDEL",   "GROENTEBOER", "SCHOENMAKER",
    "KAPSALON",  "OPTICIEN",    "FIETSHANDEL",  "TANKSTATION", "RESTAURANT",  "EETCAFÉ",
    "BRASSERIE", "CRÊPERIE",    "PATISSERIE",   "LUNCHROOM",   "SNACKBAR",    "WIJNHANDEL",
    "BOUWMARKT", "TUINCENTRUM", "DIERENWINKEL", "HOTEL",       "CAFÉ",        "PIZZERIA"};
const char* const kAdjectives[] = {"GOUDEN", "ZILVEREN", "OUDE", "NIEUWE", "BLAUWE",
                                   "WITTE",  "GROENE",   "RODE", "KLEINE", "VROLIJKE"};
const char* const kNouns[] = {"KROON", "LEEUW", "MOLEN", "ZWAAN", "ANKER", "POORT", "SLEUTEL",
                              "HOORN", "ROOS",  "TULP",  "KLOK",  "EIK",   "PAUW",  "BRUG"};
const char* const kChains[] = {"DAGVERS",       "BUURTWINKEL",  "VOORDEELHAL",      "HUIS & HAARD",
                               "BOEKENHOEK",    "DROGIST FRIS", "TANKPUNT NOORD",   "KLUSHUIS",
                               "MODEHUIS ZUID", "SPORTPLEIN",   "WARENHUIS CENTRUM"};
const char* const kLongWords[] = {"WONINGBOUWVERENIGING",    "ONDERWIJSSTICHTING",
                                  "NATUURBESCHERMINGSFONDS", "KINDEROPVANGORGANISATIE",
                                  "INSTALLATIEBEDRIJVEN",    "VERZEKERINGSMAATSCHAPPIJ"};
const char* const kStreets[] = {"MARKT", "KERKSTRAAT", "STATIONSPLEIN", "HOOFDSTRAAT",
                                "BRINK", "KADE",       "DORPSSTRAAT",   "WINKELCENTRUM"};
const char* const kMachines[] = {"PARKEERAUTOMAAT", "KOFFIEAUTOMAAT",  "KANTINE",
                                 "ZWEMBAD",         "FIETSENSTALLING", "WASSTRAAT",
                                 "KOPIEERAUTOMAAT", "PARKEERGARAGE",   "SNOEPAUTOMAAT"};
const char* const kSingleNames[] = {"BELASTINGDIENST", "WATERSCHAP", "HUISARTSENPRAKTIJK",
                                    "TANDARTS",        "DIERENARTS", "VERHUURDER",
                                    "ZIEKENHUIS"};
const char* const kInitials[] = {"A.", "B.", "C.", "H.",   "J.", "K.",
                                 "M.", "P.", "W.", "J.M.", "É.", "A.B."};
const char* const kClubs[] = {"STICHTING", "VERENIGING", "TENNISCLUB",
                              "ZANGKOOR",  "BUURTHUIS",  "MUZIEKSCHOOL"};
const char* const kGiroPurposes[] = {"HUUR",     "CONTRIBUTIE",  "NOTA",
                                     "GIFT",     "AANSLAG",      "DECLARATIE",
                                     "BIJDRAGE", "LIDMAATSCHAP", "TERUGBETALING"};
const char* const kCompanies[] = {"VERZEKERINGEN NV",  "ENERGIE BV",      "WATERBEDRIJF",
                                  "TELECOM BV",        "ZORGVERZEKERAAR", "WONINGSTICHTING",
                                  "KINDEROPVANG",      "CRÈCHE",          "OMROEPVERENIGING",
                                  "KABEL BV",          "HYPOTHEKEN NV",   "DAGBLAD",
                                  "GOEDE DOELEN FONDS"};
const char* const kAccountPurposes[] = {"PREMIE",  "VOORSCHOT", "ABONNEMENT", "TERMIJN",
                                        "FACTUUR", "TERUGGAVE", "INCASSO"};
const char* const kMonths[] = {"JANUARI",   "FEBRUARI", "MAART",    "APRIL",
                               "MEI",       "JUNI",     "JULI",     "AUGUSTUS",
                               "SEPTEMBER", "OKTOBER",  "NOVEMBER", "DECEMBER"};
const char* const kFiller[] = {"VOLGENS",      "AFSPRAAK",   "BETREFT", "REFERENTIE", "PERIODE",
                               "CONTRACT",     "KLANT",      "DOSSIER", "LEVERING",   "DIENSTEN",
                               "OVEREENKOMST", "MACHTIGING", "ZIE",     "BIJLAGE"};

QString terminal(Random& random)
{
    static const char16_t kLetters[] = u"ABCDEFGHJKLMNPRSTUVWXYZ";
    QString code;
    code += QChar(kLetters[random.below(23)]);
    code += QChar(kLetters[random.below(23)]);
    return code + digits(random, 6);
}

QString bankAccount(Random& random)
{
    // Nine digits as "12.34.56.789" (the point at position 4 after the leading space) or as
    // "123.456.789".
    if (random.chance(850))
        return digits(random, 2) + u'.' + digits(random, 2) + u'.' + digits(random, 2) + u'.' +
               digits(random, 3);
    return digits(random, 3) + u'.' + digits(random, 3) + u'.' + digits(random, 3);
}

QString shopName(Random& random)
{
    switch (random.below(8)) {
    case 0:
    case 1:
    case 2:
        return any(random, kShops) + u' ' + any(random, kSurnames);
    case 3:
    case 4:
        return any(random, kShops) + u" DE "_s + any(random, kAdjectives) + u' ' +
               any(random, kNouns);
    case 5:
    case 6:
        return any(random, kChains) + u' ' + digits(random, 4);
    default: // runs past the name column
        return any(random, kShops) + u' ' + any(random, kLongWords) + u' ' + any(random, kSurnames);
    }
}

// Fixed layouts: the name mostly padded to its column, sometimes run on into the place, which
// then shows in the relation name as the bank's files do.
Party fixedParty(Random& random, Layout layout, int column, const QString& name, int lowCents,
                 int highCents, const QString& pas)
{
    Party party;
    party.layout = layout;
    party.name = name.size() < column && random.chance(750) ? name.leftJustified(column + 1, u' ')
                                                            : name + u' ';
    party.place = (layout == Layout::Pin ? any(random, kCities) : QString()) + u",PAS"_s + pas;
    const int terminals = random.between(1, 3);
    for (int i = 0; i < terminals; ++i)
        party.terminals.push_back(terminal(random));
    party.lowCents = lowCents;
    party.highCents = highCents;
    return party;
}

QString giroName(Random& random)
{
    switch (random.below(10)) {
    case 0:
    case 1:
        return any(random, kSingleNames);
    case 2:
    case 3:
        return u"GEMEENTE "_s + any(random, kCities);
    case 4:
        return u"FAM. "_s + any(random, kSurnames);
    case 5:
    case 6:
        return any(random, kInitials) + u' ' + any(random, kSurnames);
    case 7:
    case 8: // four words: the last one the name can have
        return any(random, kClubs) + u" DE "_s + any(random, kAdjectives) + u' ' +
               any(random, kNouns);
    default: // five words: the fifth starts the description
        return any(random, kClubs) + u" VRIENDEN VAN DE "_s + any(random, kNouns);
    }
}

QString accountName(Random& random)
{
    switch (random.below(6)) {
    case 0:
    case 1:
        return any(random, kSurnames) + u' ' + any(random, kCompanies);
    case 2:
    case 3:
        return any(random, kCompanies) + u' ' + any(random, kCities);
    case 4: { // longer than the relation-name field
        constexpr int n = int(std::size(kLongWords));
        const int first = random.below(n);
        return QString::fromUtf8(kLongWords[first]) + u' ' +
               QString::fromUtf8(kLongWords[(first + 1 + random.below(n - 1)) % n]) + u' ' +
               any(random, kCompanies);
    }
    default:
        return any(random, kInitials) + u' ' + any(random, kSurnames);
    }
}

Party transferParty(Random& random, Layout layout)
{
    Party party;
    party.layout = layout;
    if (layout == Layout::Giro) {
        party.name = giroName(random);
        party.account = digits(random, random.between(3, 7));
        party.purpose = any(random, kGiroPurposes);
        party.lowCents = 500;
        party.highCents = 60000;
    } else {
        party.name = accountName(random);
        party.account = bankAccount(random);
        party.purpose = any(random, kAccountPurposes);
        party.lowCents = 1000;
        party.highCents = 40000;
    }
    if (random.chance(150))
        party.sign = 1;
    return party;
}

// Adds words until the text passes the 240 characters the import keeps, so its end is cut off.
QString overlong(const QString& text, Random& random)
{
    QString longer = text;
    while (longer.size() < 260)
        longer += u' ' + any(random, kFiller);
    return longer;
}

QString when(const QDate& date, Random& random)
{
    return QStringLiteral("%1.%2.%3/%4.%5")
        .arg(date.day(), 2, 10, QChar(u'0'))
        .arg(date.month(), 2, 10, QChar(u'0'))
        .arg(date.year() % 100, 2, 10, QChar(u'0'))
        .arg(random.between(7, 22), 2, 10, QChar(u'0'))
        .arg(random.below(60), 2, 10, QChar(u'0'));
}

QString monthYear(const QDate& date)
{
    return QString::fromUtf8(kMonths[date.month() - 1]) + u' ' + QString::number(date.year());
}

} // namespace

Counterparties::Counterparties(Random& random)
{
    m_ownAccount = QString::number(random.between(100000000, 999999999));
    const QString pas = digits(random, 3);
    auto& pin = m_pools[std::size_t(Layout::Pin)];
    for (int i = 0; i < 160; ++i)
        pin.push_back(fixedParty(random, Layout::Pin, 24, shopName(random), 150, 9000, pas));
    auto& cash = m_pools[std::size_t(Layout::Cash)];
    for (int i = 0; i < 18; ++i) {
        const QString name = (random.chance(500) ? QStringLiteral("GELDAUTOMAAT ") : u"GA "_s) +
                             any(random, kStreets) + u' ' + any(random, kCities);
        cash.push_back(fixedParty(random, Layout::Cash, 22, name, 2000, 20000, pas));
    }
    auto& chip = m_pools[std::size_t(Layout::Chip)];
    for (int i = 0; i < 24; ++i)
        chip.push_back(fixedParty(random, Layout::Chip, 19,
                                  any(random, kMachines) + u' ' + any(random, kCities), 50, 1500,
                                  pas));
    for (Layout layout : {Layout::Giro, Layout::Account}) {
        auto& pool = m_pools[std::size_t(layout)];
        for (int i = 0; i < (layout == Layout::Giro ? 90 : 70); ++i)
            pool.push_back(transferParty(random, layout));
    }
}

const Party& Counterparties::pick(Layout layout, Random& random) const
{
    const auto& pool = m_pools[std::size_t(layout)];
    return pool[std::size_t(random.popular(int(pool.size())))];
}

qint64 amountCents(const Party& party, Random& random)
{
    // Small amounts more often than large ones.
    const qint64 u = random.below(1001);
    qint64 cents = party.lowCents + (party.highCents - party.lowCents) * u * u / 1000000;
    int sign = party.sign;
    if (party.layout == Layout::Cash)
        cents = cents / 1000 * 1000; // whole tens of euros
    else if ((party.layout == Layout::Pin || party.layout == Layout::Chip) && random.chance(10))
        sign = 1; // a refund at the till
    return sign * cents;
}

QString describe(const Party& party, const QDate& date, Random& random)
{
    switch (party.layout) {
    case Layout::Pin:
    case Layout::Cash:
    case Layout::Chip: {
        const QString marker = party.layout == Layout::Pin    ? QStringLiteral("BEA   NR:")
                               : party.layout == Layout::Cash ? QStringLiteral("GEA   NR:")
                                                              : QStringLiteral("CHIP  NR:");
        const QString& code =
            party.terminals[std::size_t(random.below(int(party.terminals.size())))];
        return marker + code + u' ' + when(date, random) + u' ' + party.name + party.place;
    }
    case Layout::Giro: {
        QString tail;
        switch (random.below(4)) {
        case 0:
            tail = party.purpose + u' ' + monthYear(date);
            break;
        case 1:
            tail = party.purpose + u' ' + digits(random, 6) + u"  KENMERK "_s + digits(random, 4);
            break;
        case 2:
            tail = u"BETALINGSKENM. "_s + digits(random, 16);
            break;
        default:
            tail = party.purpose + u' ' + QString::number(date.year()) + u" NR "_s +
                   digits(random, 7) + u"   TERMIJN "_s + QString::number(date.month());
        }
        QString text = u"GIRO"_s + QString(random.between(1, 3), u' ') + party.account + u' ' +
                       party.name + u"  "_s + tail;
        return random.chance(20) ? overlong(text, random) : text;
    }
    case Layout::Account: {
        const QString lead = party.account.indexOf(u'.') == 2 ? u" "_s : QString();
        const QString gap = lead.isEmpty() ? u"  "_s : u" "_s;
        if (party.day == 0 && random.chance(10)) // no double space: the bank gives no name
            return lead + party.account + gap + party.purpose + u' ' + party.name + u' ' +
                   digits(random, 8);
        QString tail;
        switch (random.below(4)) {
        case 0:
            tail = u"BETALINGSKENM. "_s + digits(random, 16);
            break;
        case 1:
            tail = party.purpose + u' ' + monthYear(date) + u"  BETALINGSKENM. "_s +
                   digits(random, 16);
            break;
        case 2:
            tail = party.purpose + u' ' + QString::number(date.year()) + u'-' + digits(random, 5) +
                   u" KLANTNR   "_s + digits(random, 6);
            break;
        default:
            tail = party.purpose + u' ' + monthYear(date) + u" REF "_s + digits(random, 8);
        }
        const QString text = lead + party.account + gap + party.name + u"  "_s + tail;
        return random.chance(20) ? overlong(text, random) : text;
    }
    case Layout::Other:
        break;
    }
    qint64 ignored = 0;
    return describeOther(date, ignored, random);
}

QString describeOther(const QDate& date, qint64& cents, Random& random)
{
    switch (random.below(6)) {
    case 0: {
        const int quarter = (date.month() - 1) / 3;
        cents = random.between(5, 4000);
        return QStringLiteral("RENTE 01-%1-%2 T/M %3-%4-%2")
            .arg(3 * quarter + 1, 2, 10, QChar(u'0'))
            .arg(date.year())
            .arg(QDate(date.year(), 3 * quarter + 3, 1).daysInMonth(), 2, 10, QChar(u'0'))
            .arg(3 * quarter + 3, 2, 10, QChar(u'0'));
    }
    case 1:
        cents = -random.between(150, 900);
        return u"KOSTEN BETAALREKENING "_s + monthYear(date);
    case 2:
        cents = -random.between(50, 250);
        return u"KOSTEN GEBRUIK BETAALPAS  REF "_s + digits(random, 9);
    case 3:
        cents = random.between(2000, 200000);
        return u"STORTING CONTANTEN  "_s + digits(random, 6);
    case 4:
        cents = random.between(5000, 500000) * (random.chance(500) ? 1 : -1);
        return u"OVERBOEKING SPAARREKENING "_s + digits(random, 10);
    default:
        cents = random.between(100, 5000) * (random.chance(500) ? 1 : -1);
        return u"Correctie boeking "_s + digits(random, 7);
    }
}

} // namespace sample
