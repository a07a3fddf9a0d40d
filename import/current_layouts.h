#pragma once

#include "import/bijsoort.h"

#include <QStringView>
#include <optional>

namespace import {

// Reads the description layouts the bank writes since the euro payment area came in: labelled
// payment texts ("SEPA Overboeking" with "IBAN: ", "Naam: " ... fields), slash texts
// ("/TRTP/.../NAME/...") and card payments ("BEA, Betaalpas"). `remainder` is the whole line
// remainder, not cut to the old 240 characters: a direct debit's IBAN often lies past them.
// Gives nothing for every other text, which the old layouts' rules then read. The values have
// their spaces collapsed and are untrimmed, as bijsoort's are.
std::optional<Classification> readCurrentLayout(QStringView remainder);

// An account number or creditor id as reknum keeps it: up to 15 characters as they are; a longer
// one loses its country code and check digits and keeps 15 characters of the rest.
QString shortenAccount(QStringView account);

} // namespace import
