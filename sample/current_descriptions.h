#pragma once

#include "sample/counterparties.h"

#include <QDate>
#include <QString>

namespace sample {

// The line remainder of one transaction of `party` on `date` as the bank writes it since the euro
// payment area came in: card payments ("BEA, Betaalpas"), labelled payment texts ("SEPA
// Overboeking" with "IBAN: ", "Naam: " ... in 32-character slots) and slash texts ("/TRTP/...").
// Blocks of 64 characters after a 32-character head, each followed by the bank's extra space.
// `cents` is the transaction's amount: a refund at the till says so.
QString describeCurrent(const Party& party, const QDate& date, qint64 cents, Random& random);

} // namespace sample
