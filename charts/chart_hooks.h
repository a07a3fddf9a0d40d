#pragma once

#include "guard/guard.h"

#include <QString>
#include <functional>

namespace charts {

// What a chart asks of the application: its guard around actions that may fail (none in
// kolvaro-cli, whose runner reports), and the file-save dialog (empty when the user cancels).
// Tests answer both without a modal window.
struct ChartHooks
{
    guard::Guard guard;
    std::function<QString(const QString& caption, const QString& filter)> getSaveFileName;
};

} // namespace charts
