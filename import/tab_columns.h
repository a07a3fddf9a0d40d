#pragma once

#include <cstddef>

namespace import::tab {

// The fields of a line of the bank's TAB file, in their order; the description is the rest of
// the line after the seventh tab.
enum Column : std::size_t
{
    kAccount,       // the account the line belongs to
    kCurrency,      // "EUR"
    kDate,          // yyyyMMdd
    kBalanceBefore, // the balance before the transaction
    kBalanceAfter,  // and after it
    kInterestDate,  // yyyyMMdd
    kAmount,        // with "," as decimal separator
    kDescription,   // the line remainder
};

inline constexpr std::size_t kFieldsBeforeDescription = kDescription;

} // namespace import::tab
