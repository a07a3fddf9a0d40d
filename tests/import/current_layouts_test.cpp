// Today's description layouts: each layout and head variant gives the values the import stores;
// texts in the old layouts are left to the old rules.
#include "import/current_layouts.h"
#include "import/filtergegevens.h"

#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace Qt::StringLiterals;

// A text as the bank lays it out: the head padded to 32 characters, then each field in slots of
// 32, with the bank's extra space after the head and after every second slot. The last slot
// stays short.
QString laidOut(const QString& head, const QStringList& fields)
{
    QStringList slotTexts;
    for (const QString& field : fields)
        for (qsizetype at = 0; at < field.size(); at += 32)
            slotTexts << field.mid(at, 32);
    QString text = head.leftJustified(32, u' ');
    for (qsizetype i = 0; i < slotTexts.size(); ++i) {
        if (i % 2 == 0)
            text += u' ';
        text += i + 1 < slotTexts.size() ? slotTexts[i].leftJustified(32, u' ') : slotTexts[i];
    }
    return text;
}

struct Expected
{
    QString kind, code, relation, description;
};

TEST(CurrentLayouts, valuesOfEachLayout)
{
    const QString debitHead = u"SEPA Incasso algemeen doorlopend"_s;
    const struct
    {
        const char* what;
        QString remainder;
        std::optional<Expected> expected; // none: left to the old rules
    } cases[] = {
        {"transfer",
         laidOut(u"SEPA Overboeking"_s, {u"IBAN: NL12TEST0123456789"_s, u"BIC: TESTNL2A"_s,
                                         u"Naam: J.  DE BOER"_s, u"Omschrijving: Huur maart"_s}),
         Expected{u"4"_s, u"TEST0123456789"_s, u"J. DE BOER"_s, u"Huur maart"_s}},
        {"a value over two slots, a word split by the bank's space",
         laidOut(u"SEPA iDEAL"_s, {u"IBAN: BE71096123456769"_s,
                                   u"Omschrijving: Monthly Subscripti"_s, u"on 2026 klant 4711"_s}),
         Expected{u"4"_s, u"096123456769"_s, u"SEPA iDEAL"_s,
                  u"Monthly Subscription 2026 klant 4711"_s}},
        {"a name filling its slot runs into the next label",
         laidOut(debitHead,
                 {u"Incassant: NL98ZZZ123456780000"_s, u"Naam: EXAMPLE INTERNATIONAL B.V."_s,
                  u"Machtiging: M-77"_s, u"Omschrijving: Premie"_s}),
         Expected{u"4"_s, u"ZZZ123456780000"_s, u"EXAMPLE INTERNATIONAL B.V."_s, u"Premie"_s}},
        {"a direct debit whose IBAN lies past character 240",
         laidOut(debitHead,
                 {u"Incassant: NL98ZZZ123456780000"_s, u"Naam: ENERGIE VOOR ALLEN"_s,
                  u"Machtiging: 0042-7"_s,
                  u"Omschrijving: Voorschot energie januari tot en met december van het jaar "
                  u"tweeduizendzesentwintig"_s,
                  u"IBAN: NL55ENRG0987654321"_s, u"Kenmerk: 555"_s}),
         Expected{u"4"_s, u"ENRG0987654321"_s, u"ENERGIE VOOR ALLEN"_s,
                  u"Voorschot energie januari tot en met december van het jaar "
                  u"tweeduizendzesentwintig"_s}},
        {"no IBAN, no name, no description: creditor id and the head",
         laidOut(u"SEPA Incasso algemeen eenmalig"_s, {u"Incassant: SHORTID-1"_s, u"Kenmerk: 8"_s}),
         Expected{u"4"_s, u"SHORTID-1"_s, u"SEPA Incasso algemeen eenmalig"_s,
                  u"SEPA Incasso algemeen eenmalig"_s}},
        {"labels in lower and mixed case",
         laidOut(u"SEPA Overboeking"_s,
                 {u"iban: NL34MIXD0246813579"_s, u"bic: MIXDNL2A"_s, u"NAAM: P. VAN DAM"_s,
                  u"omschrijving: Contributie"_s, u"KenMerk: 99"_s}),
         Expected{u"4"_s, u"MIXD0246813579"_s, u"P. VAN DAM"_s, u"Contributie"_s}},
        // reknum keeps 15 characters: an account of up to 15 stays whole, a longer one loses its
        // country code and check digits.
        {"an account of 14 characters is kept whole",
         laidOut(u"SEPA Overboeking"_s,
                 {u"IBAN: AB12CDEF012345"_s, u"Naam: VEERTIEN"_s, u"Omschrijving: a"_s}),
         Expected{u"4"_s, u"AB12CDEF012345"_s, u"VEERTIEN"_s, u"a"_s}},
        {"an account of 15 characters is kept whole",
         laidOut(u"SEPA Overboeking"_s,
                 {u"IBAN: AB12CDEF0123456"_s, u"Naam: VIJFTIEN"_s, u"Omschrijving: b"_s}),
         Expected{u"4"_s, u"AB12CDEF0123456"_s, u"VIJFTIEN"_s, u"b"_s}},
        {"an account of 16 characters loses its first four",
         laidOut(u"SEPA Overboeking"_s,
                 {u"IBAN: AB12CDEF01234567"_s, u"Naam: ZESTIEN"_s, u"Omschrijving: c"_s}),
         Expected{u"4"_s, u"CDEF01234567"_s, u"ZESTIEN"_s, u"c"_s}},
        {"a creditor id of 15 characters is kept whole",
         u"/TRTP/SEPA Incasso algemeen doorlopend/CSID/XY98ZZZ12345678/NAME/VIJFTIEN BV/REMI/d"_s,
         Expected{u"4"_s, u"XY98ZZZ12345678"_s, u"VIJFTIEN BV"_s, u"d"_s}},
        {"slash text, a slash inside a value",
         u"/TRTP/SEPA OVERBOEKING/IBAN/NL12TEST0123456789/BIC/TESTNL2A/NAME/A/B  WINKEL/REMI/"
         u"FACTUUR 2026/17/EREF/NOTPROVIDED     "_s,
         Expected{u"4"_s, u"TEST0123456789"_s, u"A/B WINKEL"_s, u"FACTUUR 2026/17"_s}},
        {"slash direct debit: keys in another order, an empty value, no IBAN",
         u"/TRTP/SEPA Incasso algemeen doorlopend/CSID/NL98ZZZ123456780000/EREF//MARF/M1/REMI/"
         u"Abonnement/ID/9"_s,
         Expected{u"4"_s, u"ZZZ123456780000"_s, u"SEPA Incasso algemeen doorlopend"_s,
                  u"Abonnement"_s}},
        {"card payment",
         laidOut(u"BEA, Betaalpas"_s,
                 {u"BAKKERIJ HOEK,PAS123"_s, u"NR:TRM001, 05.01.26/12:34"_s, u"UTRECHT"_s}),
         Expected{u"6"_s, u"TRM001"_s, u"BAKKERIJ HOEK"_s,
                  u"BAKKERIJ HOEK,PAS123 NR:TRM001, 05.01.26/12:34 UTRECHT"_s}},
        {"the same shop paid with the second card",
         laidOut(u"BEA, Telefoon"_s, {u"BAKKERIJ HOEK,PAS456"_s, u"NR:TRM002 06.01.26/12.35"_s,
                                      u"UTRECHT, Land: GRC"_s}),
         Expected{u"6"_s, u"TRM002"_s, u"BAKKERIJ HOEK"_s,
                  u"BAKKERIJ HOEK,PAS456 NR:TRM002 06.01.26/12.35 UTRECHT, Land: GRC"_s}},
        {"a merchant filling the slot cuts the card suffix",
         laidOut(u"BEA, Betaalpas"_s,
                 {u"TUINCENTRUM DE GROENE VINGERS,PA"_s, u"NR:T9 03.02.26/10:11"_s}),
         Expected{u"6"_s, u"T9"_s, u"TUINCENTRUM DE GROENE VINGERS"_s,
                  u"TUINCENTRUM DE GROENE VINGERS,PANR:T9 03.02.26/10:11"_s}},
        {"... or leaves digits of the card number",
         laidOut(u"BEA, Betaalpas"_s,
                 {u"TUINCENTRUM DE GROENE VINGE,PAS1"_s, u"NR:T8 03.02.26/10:12"_s}),
         Expected{u"6"_s, u"T8"_s, u"TUINCENTRUM DE GROENE VINGE"_s,
                  u"TUINCENTRUM DE GROENE VINGE,PAS1NR:T8 03.02.26/10:12"_s}},
        {"the 2026 head, cash machine, lower case",
         laidOut(u"gea,betaalpas"_s, {u"GELDAUTOMAAT MARKT,PAS7"_s, u"NR:GA55,2026-02-03/10:11"_s,
                                      u"DELFT"_s, u"TERUGBOEKING BEA-TRANSACTIE"_s}),
         Expected{u"7"_s, u"GA55"_s, u"GELDAUTOMAAT MARKT"_s,
                  u"GELDAUTOMAAT MARKT,PAS7 NR:GA55,2026-02-03/10:11 DELFT TERUGBOEKING "
                  u"BEA-TRANSACTIE"_s}},
        {"old pin layout", u"BEA   NR:XH7F23K1 31.12.10/12.34 BAKKERIJ HOEK UTRECHT,PAS 123"_s,
         std::nullopt},
        {"labelled head without the space at 33", u"SEPA Overboeking"_s, std::nullopt},
        {"the bank's own line", u"Basic interest                   01-01-2026 t/m 31-03-2026"_s,
         std::nullopt},
        {"a slash text must start the remainder", u" /TRTP/SEPA OVERBOEKING/NAME/X"_s,
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<import::Classification> got = import::readCurrentLayout(c.remainder);
        ASSERT_EQ(got.has_value(), c.expected.has_value());
        if (!got)
            continue;
        EXPECT_EQ(got->kind, c.expected->kind);
        EXPECT_EQ(got->code, c.expected->code);
        EXPECT_EQ(got->relation, c.expected->relation);
        EXPECT_EQ(got->description, c.expected->description);
    }
}

// The import reads today's layouts from the whole line and keeps the old reading beside it, so
// that a row stored under either is found again; the switch off stores the old reading.
TEST(CurrentLayouts, importReadsTheWholeLineAndKeepsTheOtherReading)
{
    const QString remainder = laidOut(
        u"SEPA Incasso algemeen doorlopend"_s,
        {u"Incassant: NL98ZZZ123456780000"_s, u"Naam: ENERGIE VOOR ALLEN"_s,
         u"Machtiging: 0042-7"_s, u"Omschrijving: Voorschot energie januari tot en met december"_s,
         u"IBAN: NL55ENRG0987654321"_s});
    const QString line =
        u"123456789\tEUR\t20260105\t1.000,00\t987,50\t20260105\t-12,5\t"_s + remainder;
    ASSERT_GT(line.indexOf(u"IBAN: "_s), 240) << "the fixture must put the IBAN past the old cut";

    const import::LineValues current = import::filtergegevens(line);
    EXPECT_EQ(current.classification.code, u"ENRG0987654321"_s);
    ASSERT_TRUE(current.otherReading.has_value());
    EXPECT_EQ(current.otherReading->relation, u"KOLVARO"_s);

    const import::LineValues classic = import::filtergegevens(line, import::Layouts::Classic);
    EXPECT_EQ(classic.classification.relation, u"KOLVARO"_s);
    EXPECT_EQ(classic.classification.description, current.otherReading->description);
    ASSERT_TRUE(classic.otherReading.has_value());
    EXPECT_EQ(classic.otherReading->relation, u"ENERGIE VOOR ALLEN"_s);

    // Old layouts have one reading only.
    const QString old = u"123456789\tEUR\t20100105\t0\t0\t20100105\t-1\tGIRO 42 J. JANSEN  HUUR"_s;
    EXPECT_FALSE(import::filtergegevens(old).otherReading.has_value());
    EXPECT_EQ(import::filtergegevens(old).classification.relation, u"J. JANSEN"_s);
}

} // namespace
