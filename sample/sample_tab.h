#pragma once

#include <QByteArrayView>
#include <functional>

// Realistic bank TAB files for trying the program without a bank file of one's own, and for the
// benchmarks: every description layout the import classifies, relation names with diacritics and
// names longer than their fields, money in and out, standing orders every month.
namespace sample {

// Which of the bank's description layouts the file is written in.
enum class SampleLayout
{
    Classic, // the layouts the bank wrote before the euro payment area ("BEA   NR:", "GIRO")
    Current, // today's ("BEA, Betaalpas", "SEPA Overboeking", "/TRTP/")
    Mixed,   // as the bank wrote them: the old layouts before 2014, today's from 2014 on
};

struct SampleOptions
{
    int lines = 1000;       // lines in the file, copies included; >= 0
    quint64 seed = 1;       // the same options give the same bytes
    int startYear = 2021;   // the period runs from 1 January of this year ...
    int years = 3;          // ... for this many whole years; >= 1
    double dupFraction = 0; // share of the lines that copy another line; 0 <= F < 1
    // Periods left out of the file (days without their lines), as where a user missed an
    // export: the balances run on through them, so each leaves a break in the balance chain.
    int gaps = 0;
    // Mixed by default: a file then looks like the bank's own download of its period.
    SampleLayout layout = SampleLayout::Mixed;
};

// How many of the lines an import into empty tables stores and how many it skips (the lines
// left out by gaps are in neither).
struct SampleCounts
{
    int unique = 0;
    int copies = 0;
};

// Writes the file: Windows-1252 bytes, CRLF line ends, the eight tab-separated fields, dates in
// order. No two lines that are not copies are one transaction to the import's duplicate test,
// and each copy follows its original (as where two exports overlap). Fields 4 and 5 hold the
// balance before and after the line: each line's balance before is the previous line's balance
// after, but after a gap, which differs by exactly the money of the lines left out. The gaps
// are runs of 3 to 31 days, apart from each other, never on the period's first or last day;
// with the same seed the file is the one without gaps less the gaps' lines. Throws
// std::invalid_argument when the lines leave no room for that many gaps. `sink` gets the bytes
// in pieces of about a megabyte.
SampleCounts writeSampleTab(const SampleOptions& options,
                            const std::function<void(QByteArrayView)>& sink);

} // namespace sample
