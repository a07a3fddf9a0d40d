#pragma once

#include "sample/counterparties.h"
#include "sample/sample_tab.h"
#include "sample/standing_orders.h"

#include <vector>

// The plan of a sample file before its lines are written: which transaction falls on which day,
// and which days a gap leaves out.
namespace sample {

struct Slot
{
    int day;       // days after the first day of the period
    quint32 order; // place among the lines of its day
    int source;    // index of a standing order, or -1 - layout
    qint64 cents;  // a standing order's amount; everyday lines draw theirs
};

// A period left out of the file: days first to last, both included.
struct Gap
{
    int first;
    int last;
};

// The lines of the file that are not copies, and the copies.
SampleCounts plannedCounts(const SampleOptions& options);

// The days of the period of `options`.
int periodDays(const SampleOptions& options);

// The lines of the file that are not copies, in date order: the standing orders first (each
// whole, while they take at most half of the lines, so that a short file still shows shops),
// then everyday lines on random days.
std::vector<Slot> schedule(const SampleOptions& options, const std::vector<StandingOrder>& orders,
                           int unique, Random& random);

// The gaps, sorted: each holds lines, and lines lie before, between and after them, so that
// every gap is a break of its own in the balance chain. Random of its own, so that the other
// fields of the file are the same with and without gaps.
std::vector<Gap> chooseGaps(const std::vector<Slot>& plan, int days, int count, quint64 seed);

// Whether a day lies in one of the sorted gaps.
bool inGap(const std::vector<Gap>& gaps, int day);

} // namespace sample
