#include "cli/commands.h"
#include "cli/cli_support.h"

namespace cli {

int complete(const Context&)
{
    printErr(QStringLiteral("complete: not available yet"));
    return 1;
}

int fill(const Context&)
{
    printErr(QStringLiteral("fill: not available yet"));
    return 1;
}

int totals(const Context&)
{
    printErr(QStringLiteral("totals: not available yet"));
    return 1;
}

} // namespace cli
