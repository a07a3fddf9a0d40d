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

// The code as the import hands it to the table: one digit (no allocation for the five kinds).
inline QString text(int kind)
{
    switch (kind) {
    case kBank:
        return QStringLiteral("3");
    case kTransfer:
        return QStringLiteral("4");
    case kChip:
        return QStringLiteral("5");
    case kPin:
        return QStringLiteral("6");
    case kCash:
        return QStringLiteral("7");
    default:
        return QString::number(kind);
    }
}

} // namespace store::kinds
