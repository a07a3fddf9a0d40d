#pragma once

#include <functional>

namespace views {

// Runs an action that may throw. Widgets of this layer act on tables from Qt slots, where no
// exception may escape; the application gives them its guard, which reports the error.
using Guard = std::function<void(const std::function<void()>&)>;

} // namespace views
