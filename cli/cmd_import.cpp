#include "cli/commands.h"
#include "cli/cli_support.h"

namespace cli {

int importFiles(const Context&)
{
    printErr(QStringLiteral("import: not available yet"));
    return 1;
}

} // namespace cli
