#include "cli/commands.h"
#include "cli/cli_support.h"

namespace cli {

int classify(const Context&)
{
    printErr(QStringLiteral("classify: not available yet"));
    return 1;
}

} // namespace cli
