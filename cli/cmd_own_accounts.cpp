#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/filtered_tables.h"

#include "categories/own_accounts.h"

using namespace Qt::StringLiterals;

namespace cli {

namespace {

const QString kUsage = u"usage: kolvaro-cli [--tables DIR] eigen list | add ACCOUNT | "
                       u"remove ACCOUNT"_s;

int usage()
{
    printErr(kUsage);
    return 2;
}

} // namespace

int ownAccounts(const Context& context)
{
    const QString command = context.args.value(0);
    if (command == u"list" && context.args.size() == 1)
        return overFilteredTables(
            context, {}, TableAccess::Read, [](store::TDataModule1& data, Output& out) {
                for (const QString& account :
                     categories::loadOwnAccounts(data.T1.directory()).accounts)
                    out += account + u'\n';
            });
    if ((command == u"add" || command == u"remove") && context.args.size() == 2)
        return overFilteredTables(
            context, {}, TableAccess::WriteExisting, [&](store::TDataModule1& data, Output&) {
                if (command == u"add")
                    categories::addOwnAccount(data.T1.directory(), context.args[1]);
                else
                    categories::removeOwnAccount(data.T1.directory(), context.args[1]);
            });
    return usage();
}

} // namespace cli
