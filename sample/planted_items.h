#pragma once

#include "sample/sample_tab.h"

#include <QDate>
#include <QString>
#include <vector>

namespace sample {

// A recurring item a sample file holds (salary, rent, premiums, subscriptions, variable bills),
// with what a detection of fixed costs should find in that file.
struct PlantedItem
{
    QString name;   // the relation name the import gives its lines
    int months = 1; // its rhythm: 1, 3, 6 or 12
    bool income = false;
    bool variable = false; // the amount differs every time
    // Its next payment, a rhythm after its last, is overdue by more than half its rhythm on the
    // file's last date.
    bool ended = false;
    int payments = 0; // its lines in the file, copies not counted
    QDate last;       // its last payment in the file
    // A fixed item whose amount went up: its first payment at the new amount, and the amounts
    // (signed, in cents) of the payment before it and of that payment. Invalid when none.
    QDate riseDate;
    qint64 oldCents = 0;
    qint64 newCents = 0;
};

// The recurring items of the file writeSampleTab() writes with `options`, in no set order; items
// the file holds fewer than two payments of are left out.
std::vector<PlantedItem> plantedItems(const SampleOptions& options);

} // namespace sample
