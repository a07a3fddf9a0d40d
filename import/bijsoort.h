#pragma once

#include <QString>
#include <QStringView>

namespace import {

// What the bank's description text says about a transaction. The texts are untrimmed: the
// caller trims them, the table cuts them to their field sizes.
struct Classification
{
    QString kind;        // "3" to "7", stored in Soort
    QString code;        // code or account number of the counterparty, stored in reknum
    QString relation;    // relation name, stored in Naam
    QString description; // stored in Omschrijving
};

// Reads the kind marker at the start of the line remainder and takes the other three values
// from the layout of that kind. Positions past the end of the text give what there is of them;
// every text yields a result.
Classification bijsoort(QStringView remainder);

} // namespace import
