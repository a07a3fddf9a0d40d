#pragma once

#include "views/guard_hook.h"

#include <QString>
#include <functional>

namespace charts {

// What a chart asks of the application: its guard around actions that may fail, and the
// file-save dialog (empty when the user cancels). Tests answer both without a modal window.
struct ChartHooks
{
    views::Guard guard;
    std::function<QString(const QString& caption, const QString& filter)> getSaveFileName;
};

// Runs an action under the hooks' guard (directly when there is none, as in kolvaro-cli).
inline void runGuarded(const ChartHooks& hooks, const std::function<void()>& body)
{
    if (hooks.guard)
        hooks.guard(body);
    else
        body();
}

} // namespace charts
