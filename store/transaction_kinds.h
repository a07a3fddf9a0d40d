#pragma once

#include <QString>

// The kind of a transaction, as Soort stores it: read by the import from the marker at the start
// of the bank's description, shown by the grids as a badge.
namespace store::kinds {

inline constexpr int kBank = 3;     // an account-style line, or a text without a marker
inline constexpr int kTransfer = 4; // "GIRO" and today's transfers and direct debits
inline constexpr int kChip = 5;     // "CHIP"
inline constexpr int kPin = 6;      // "BEA": a card payment
inline constexpr int kCash = 7;     // "GEA": a cash withdrawal
inline constexpr int kFirst = kBank;
inline constexpr int kLast = kCash;

// The code as the import hands it to the table: one digit.
inline QString text(int kind)
{
    return QString::number(kind);
}

} // namespace store::kinds
