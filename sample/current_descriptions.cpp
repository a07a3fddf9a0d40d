#include "sample/current_descriptions.h"

#include "sample/sample_text.h"

#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace sample {
namespace {

constexpr qsizetype kHead = 32;
constexpr qsizetype kLine = 64;
constexpr qsizetype kSlot = 32;

const char* const kBanks[] = {"ABCD", "BANK", "FINA", "GELD", "SPRB", "KOLV"};
const char* const kMonthsMixed[] = {"januari",   "februari", "maart",    "april",
                                    "mei",       "juni",     "juli",     "augustus",
                                    "september", "oktober",  "november", "december"};

// A stable number per party, so that its IBAN is the same on every line without drawing from
// the random source that the rest of the file depends on.
quint32 stableHash(const QString& text)
{
    quint32 hash = 2166136261u;
    for (const QChar c : text)
        hash = (hash ^ c.unicode()) * 16777619u;
    return hash;
}

QString iban(const Party& party)
{
    const quint32 hash = stableHash(party.name + party.account);
    QString number;
    for (const QChar c : party.account)
        if (c.isDigit())
            number += c;
    number = number.rightJustified(10, u'0').right(10);
    return u"NL"_s + QString::number(10 + hash % 90) +
           QString::fromUtf8(kBanks[hash / 90 % std::size(kBanks)]) + number;
}

QString bic(const QString& iban)
{
    return iban.mid(4, 4) + u"NL2A"_s;
}

// The joined text (head, then slots) as the bank writes it: one extra space after the head and
// after every 64 characters of the body; the last line simply ends.
QString blocks(const QString& head, const QString& body)
{
    QString text = head.leftJustified(kHead, u' ', true);
    for (qsizetype at = 0; at < body.size(); at += kLine)
        text += u' ' + body.mid(at, kLine);
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

// Fields that each start a slot and fill as many slots as their text needs.
QString slotted(const std::vector<std::pair<QString, QString>>& fields)
{
    QString body;
    for (const auto& [label, value] : fields) {
        QString field = label + value;
        const qsizetype size = (field.size() + kSlot - 1) / kSlot * kSlot;
        body += field.leftJustified(size, u' ');
    }
    return body;
}

QString two(int number)
{
    return QString::number(number).rightJustified(2, u'0');
}

QString cardPayment(const Party& party, const QDate& date, qint64 cents, Random& random)
{
    const qsizetype pasAt = party.place.lastIndexOf(u",PAS");
    const QString city = party.place.left(pasAt);
    const QString name = party.name.trimmed();
    const int firstCard = party.place.mid(pasAt + 4).toInt();
    // The account holder has a second card: one shop, two card numbers.
    const int card = random.chance(300) ? (firstCard + 1) % 1000 : firstCard;
    const bool recent = date.year() >= 2026 && random.chance(500);

    QString head;
    if (party.layout == Layout::Cash)
        head = u"GEA, Betaalpas"_s;
    else if (recent)
        head = u"BEA,BETAALPAS"_s;
    else
        head = random.chance(700)
                   ? u"BEA, Betaalpas"_s
                   : (random.chance(500) ? u"BEA, Mobiel betalen"_s : u"BEA, Horloge"_s);

    const QString terminal =
        party.terminals[std::size_t(random.below(int(party.terminals.size())))];
    const int hour = random.between(7, 22);
    const int minute = random.below(60);
    QString when;
    if (recent)
        when = u"NR:"_s + terminal + u',' + date.toString(u"yyyy-MM-dd"_s) + u'/' + two(hour) +
               u':' + two(minute);
    else
        when = u"NR:"_s + terminal + (random.chance(700) ? u", "_s : u" "_s) +
               date.toString(u"dd.MM.yy"_s) + u'/' + two(hour) +
               (random.chance(800) ? u":"_s : u"."_s) + two(minute);
    QString place = city.isEmpty() ? name.section(u' ', -1) : city;
    if (random.chance(40))
        place += u", Land: GRC"_s;

    std::vector<std::pair<QString, QString>> fields = {
        {name + u",PAS"_s, QString::number(card).rightJustified(3, u'0')},
        {when, {}},
        {place, {}},
    };
    if (cents > 0 && party.layout != Layout::Cash)
        fields.emplace_back(u"TERUGBOEKING BEA-TRANSACTIE"_s, QString());
    // A merchant that fills its slot pushes the card suffix out, cut or gone.
    QString body;
    for (const auto& [text, tail] : fields)
        body += (text + tail).left(kSlot).leftJustified(kSlot, u' ');
    return blocks(head, body);
}

QString creditorId(const QString& iban)
{
    return u"NL"_s + iban.mid(2, 2) + u"ZZZ"_s + iban.right(10) + u"0000"_s;
}

QString purposeText(const Party& party, const QDate& date, Random& random)
{
    const QString month = QString::fromUtf8(kMonthsMixed[date.month() - 1]);
    switch (random.below(4)) {
    case 0:
        return party.purpose + u' ' + month + u' ' + QString::number(date.year());
    case 1: // long enough for two or three slots, words split by the bank's extra spaces
        return party.purpose + u" periode "_s + month + u' ' + QString::number(date.year()) +
               u" klantnummer "_s + digits(random, 8) + u" factuur "_s + digits(random, 10);
    case 2: // a slash inside a value
        return party.purpose + u' ' + QString::number(date.year()) + u'/' + digits(random, 4);
    default:
        return party.purpose + u" Monthly Subscription "_s + digits(random, 6);
    }
}

QString labelled(const Party& party, const QDate& date, bool debit, Random& random)
{
    const QString account = iban(party);
    const QString name = party.name.trimmed();
    if (debit) {
        // The IBAN comes last, past the 240 characters of the old reading.
        return blocks(random.chance(800) ? u"SEPA Incasso algemeen doorlopend"_s
                                         : u"SEPA Incasso algemeen eenmalig"_s,
                      slotted({{u"Incassant: "_s, creditorId(account)},
                               {u"Naam: "_s, name},
                               {u"Machtiging: "_s, digits(random, 12)},
                               {u"Omschrijving: "_s, purposeText(party, date, random)},
                               {u"IBAN: "_s, account},
                               {u"Kenmerk: "_s, digits(random, 16)}}));
    }
    QString head = u"SEPA Overboeking"_s;
    if (party.day != 0)
        head = u"SEPA Periodieke overb."_s;
    else if (party.sign < 0 && random.chance(300))
        head = u"SEPA iDEAL"_s;
    else if (party.sign < 0 && random.chance(100))
        head = u"SEPA Acceptgirobetaling"_s;
    return blocks(head, slotted({{u"IBAN: "_s, account},
                                 {u"BIC: "_s, bic(account)},
                                 {u"Naam: "_s, name},
                                 {u"Omschrijving: "_s, purposeText(party, date, random)},
                                 {u"Kenmerk: "_s, digits(random, 12)}}));
}

QString slashed(const Party& party, const QDate& date, bool debit, Random& random)
{
    const QString account = iban(party);
    const QString name = party.name.trimmed();
    QString text;
    if (debit)
        text = u"/TRTP/SEPA Incasso algemeen doorlopend/CSID/"_s + creditorId(account) +
               u"/NAME/"_s + name + u"/MARF/"_s + digits(random, 10) + u"/REMI/"_s +
               purposeText(party, date, random) + u"/IBAN/"_s + account + u"/BIC/"_s +
               bic(account) + u"/EREF/"_s + digits(random, 14);
    else
        text = u"/TRTP/SEPA OVERBOEKING/IBAN/"_s + account + u"/BIC/"_s + bic(account) +
               u"/NAME/"_s + name + u"/REMI/"_s + purposeText(party, date, random) + u"/EREF/"_s +
               (random.chance(500) ? u"NOTPROVIDED"_s : digits(random, 12));
    return text + QString(random.below(20), u' ');
}

} // namespace

QString describeCurrent(const Party& party, const QDate& date, qint64 cents, Random& random)
{
    switch (party.layout) {
    case Layout::Pin:
    case Layout::Cash:
    case Layout::Chip:
        return cardPayment(party, date, cents, random);
    case Layout::Giro:
    case Layout::Account: {
        // Standing orders of companies that collect are direct debits.
        const bool debit = party.layout == Layout::Account && cents < 0 && party.day != 0;
        return random.chance(600) ? labelled(party, date, debit, random)
                                  : slashed(party, date, debit, random);
    }
    case Layout::Other:
        break;
    }
    qint64 ignored = 0;
    return describeOther(date, ignored, random);
}

} // namespace sample
