#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filtered_tables.h"

#include "cli/gap_text.h"

using namespace Qt::StringLiterals;

namespace cli {

int gaps(const Context& context)
{
    if (!context.args.isEmpty()) {
        printErr(u"usage: kolvaro-cli [--tables DIR] gaps"_s);
        return 2;
    }
    return overFilteredTables(context, {}, TableAccess::Read,
                              [](store::TDataModule1& data, Output& out) {
                                  for (const balances::Gap& gap : balances::storedGaps(data.T1))
                                      out += gapText(gap) + u'\n';
                              });
}

} // namespace cli
