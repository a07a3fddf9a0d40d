#pragma once

#include <functional>

namespace guard {

// Runs an action that may throw and reports the error as the program's message. Widgets act on
// tables from Qt slots, where no exception may escape; the application hands every window its
// guard, and tests hand in one that answers without a modal box.
using Guard = std::function<void(const std::function<void()>&)>;

// Runs `body` under `guard`, or directly when there is none (as in kolvaro-cli, whose own
// runner reports the error).
inline void run(const Guard& guard, const std::function<void()>& body)
{
    if (guard)
        guard(body);
    else
        body();
}

} // namespace guard
