#include "import/bijsoort.h"

#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

namespace {

using import::bijsoort;

struct Case
{
    const char16_t* remainder;
    const char16_t* kind;
    const char16_t* code;
    const char16_t* relation;
    const char16_t* description;
};

void expectCases(const Case* begin, const Case* end)
{
    for (const Case* c = begin; c != end; ++c) {
        const QString remainder = QString::fromUtf16(c->remainder);
        const import::Classification result = bijsoort(remainder);
        SCOPED_TRACE(remainder.toStdString());
        EXPECT_EQ(result.kind, QString::fromUtf16(c->kind));
        EXPECT_EQ(result.code, QString::fromUtf16(c->code));
        EXPECT_EQ(result.relation, QString::fromUtf16(c->relation));
        EXPECT_EQ(result.description, QString::fromUtf16(c->description));
    }
}

// Positions: marker 1-4, code 10-17, description from 19, name from 34.
TEST(Bijsoort, fixedLayouts)
{
    const Case cases[] = {
        {u"BEA   NR:XH7F23K1 31.12.10/12.34 BUURTWINKELS 1234 AMSTERDAM,PAS 123", u"6", u"XH7F23K1",
         u"BUURTWINKELS 1234 AMSTER", u"31.12.10/12.34 BUURTWINKELS 1234 AMSTERDAM,PAS 123"},
        {u"GEA   NR:XH7F23K1 31.12.10/12.34 BUURTWINKELS 1234 AMSTERDAM,PAS 123", u"7", u"XH7F23K1",
         u"BUURTWINKELS 1234 AMST", u"31.12.10/12.34 BUURTWINKELS 1234 AMSTERDAM,PAS 123"},
        {u"CHIP  NR:XH7F23K1 31.12.10/12.34 BUURTWINKELS 1234 AMSTERDAM,PAS 123", u"5", u"XH7F23K1",
         u"BUURTWINKELS 1234 A", u"31.12.10/12.34 BUURTWINKELS 1234 AMSTERDAM,PAS 123"},
        // Texts kept as they stand: no collapsing, spaces at the ends stay for the caller.
        {u"BEA   NR:1  2  3  31.12.10  12.34 CAFÉ   DE ZWAAN  ", u"6", u"1  2  3 ",
         u" CAFÉ   DE ZWAAN  ", u"31.12.10  12.34 CAFÉ   DE ZWAAN  "},
        // Shorter than the layout: what there is of each range.
        {u"BEA", u"6", u"", u"", u""},
        {u"BEA   NR:1234", u"6", u"1234", u"", u""},
        {u"GEA   NR:12345678 31.12", u"7", u"12345678", u"", u"31.12"},
        {u"CHIP  NR:12345678 31.12.10/12.34 ÉÉN", u"5", u"12345678", u"ÉÉN", u"31.12.10/12.34 ÉÉN"},
        // The marker only needs to start the text.
        {u"BEAUTY", u"6", u"", u"", u""},
    };
    expectCases(std::begin(cases), std::end(cases));
}

TEST(Bijsoort, wordScan)
{
    const Case cases[] = {
        {u"GIRO  1234567 J. JANSEN  HUUR JANUARI   2010", u"4", u"1234567", u"J. JANSEN",
         u"HUUR JANUARI 2010"},
        {u"GIRO 1 A  REST", u"4", u"1", u"A", u"REST"},
        {u"GIRO 1 A B C  D", u"4", u"1", u"A B C", u"D"},
        {u"GIRO 1 A B C D  E", u"4", u"1", u"A B C D", u"E"},
        // Five words: the fourth ends the name, the fifth starts the description.
        {u"GIRO 42 A B C D E  REST  OF   IT", u"4", u"42", u"A B C D", u"E REST OF IT"},
        {u"GIRO      99   NAAM      X", u"4", u"99", u"NAAM", u"X"},
        {u"GIRO1234 NAAM  OMS", u"4", u"1234", u"NAAM", u"OMS"},
        {u"GIRO 7 J. MÜLLER  SCHOOLREIS ÀÉÎ", u"4", u"7", u"J. MÜLLER", u"SCHOOLREIS ÀÉÎ"},
        // The text ends where a searched space is missing: the scan stops there.
        {u"GIRO", u"4", u"", u"", u""},
        {u"GIRO    ", u"4", u"", u"", u""},
        {u"GIRO 123", u"4", u"123", u"", u""},
        {u"GIRO 123 ", u"4", u"123", u"", u""},
        {u"GIRO 123 JANSEN", u"4", u"123", u"JANSEN", u""},
        {u"GIRO 123 JANSEN ", u"4", u"123", u"JANSEN ", u""},
        {u"GIRO 123 A B", u"4", u"123", u"A B", u""},
        {u"GIRO 123 A B C D", u"4", u"123", u"A B C D", u""},
        {u"GIRO 123 JANSEN  ", u"4", u"123", u"JANSEN", u""},
        // Only spaces count: a tab is part of a word.
        {u"GIRO 5\t6 NAAM  X", u"4", u"5\t6", u"NAAM", u"X"},
    };
    expectCases(std::begin(cases), std::end(cases));
}

TEST(Bijsoort, accountScan)
{
    const Case cases[] = {
        {u" 12.34.56.789 ENERGIE BV  FACTUUR 123   MAART", u"3", u"12.34.56.789", u"ENERGIE BV ",
         u"FACTUUR 123 MAART"},
        {u"123.456.789  ENERGIE BV  X", u"3", u"123.456.789  ", u"ENERGIE BV ", u"X"},
        // No double space after the account: no name, the rest is the description.
        {u" 12.34.56.789 ENERGIE BV FACTUUR", u"3", u"12.34.56.789", u"", u"ENERGIE BV FACTUUR"},
        // The payment reference wins over the tail, wherever it stands.
        {u" 12.34.56.789 ENERGIE BV  FACTUUR  BETALINGSKENM.  1234 5678", u"3", u"12.34.56.789",
         u"ENERGIE BV ", u"BETALINGSKENM. 1234 5678"},
        {u" 12.BETALINGSKENM 9  NAAM  T", u"3", u"12.BETALINGS", u"KENM 9 ",
         u"BETALINGSKENM 9 NAAM T"},
        {u" 12.34.56.789 NAAM  BETALINGSKENM", u"3", u"12.34.56.789", u"NAAM ", u"BETALINGSKENM"},
        // A tail that starts with a space loses it after collapsing.
        {u" 12.34.56.789 NAAM   X  Y", u"3", u"12.34.56.789", u"NAAM ", u"X Y"},
        {u"123.", u"3", u"123.", u"", u""},
        {u" 12.34.56.789", u"3", u"12.34.56.789", u"", u""},
        {u"abc.def ghi jkl  CRÈCHE  MAAND", u"3", u"abc.def ghi j", u"kl ", u"CRÈCHE MAAND"},
        // Markers are tested before the point.
        {u"GEA.", u"7", u"", u"", u""},
        {u"GIRO.", u"4", u".", u"", u""},
        {u"CHIP.", u"5", u"", u"", u""},
    };
    expectCases(std::begin(cases), std::end(cases));
}

TEST(Bijsoort, withoutMarker)
{
    const Case cases[] = {
        {u"RENTE   OVER  2010", u"3", u"KOLVARO", u"KOLVARO", u"RENTE OVER 2010"},
        {u"", u"3", u"KOLVARO", u"KOLVARO", u""},
        {u"BE", u"3", u"KOLVARO", u"KOLVARO", u"BE"},
        {u"  KOSTEN  ", u"3", u"KOLVARO", u"KOLVARO", u" KOSTEN "},
        // Markers are compared case included.
        {u"bea   NR:12345678 31.12.10/12.34 X", u"3", u"KOLVARO", u"KOLVARO",
         u"bea NR:12345678 31.12.10/12.34 X"},
        {u"Giro 1 A  B", u"3", u"KOLVARO", u"KOLVARO", u"Giro 1 A B"},
        {u"chip", u"3", u"KOLVARO", u"KOLVARO", u"chip"},
        {u"STORTING\tCONTANTEN", u"3", u"KOLVARO", u"KOLVARO", u"STORTING\tCONTANTEN"},
    };
    expectCases(std::begin(cases), std::end(cases));
}

} // namespace
