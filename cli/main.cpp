#include "cli/commands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <map>

namespace {

const char* const kUsage =
    "usage: kolvaro-cli [--tables DIR] COMMAND [ARGS]\n"
    "commands:\n"
    "  classify               description texts on stdin -> kind, code/account, relation, "
    "description\n"
    "  import FILE...         import TAB files\n"
    "  complete               complete the relation-year rows from the transactions\n"
    "  fill                   fill the month totals of the relation-year rows\n"
    "  totals [--year PREFIX] the month-totals strip\n"
    "  dump mutaties|bedrijven\n";

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    cli::Context context;
    if (args.size() >= 2 && args[0] == u"--tables") {
        context.tablesDir = args[1];
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::map<QString, int (*)(const cli::Context&)> commands = {
        {QStringLiteral("classify"), cli::classify}, {QStringLiteral("import"), cli::importFiles},
        {QStringLiteral("complete"), cli::complete}, {QStringLiteral("fill"), cli::fill},
        {QStringLiteral("totals"), cli::totals},     {QStringLiteral("dump"), cli::dump},
    };
    const auto command = commands.find(args[0]);
    if (command == commands.end()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    context.args = args.mid(1);
    return command->second(context);
}
