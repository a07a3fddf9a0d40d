#include "cli/chart_picture.h"
#include "cli/commands.h"

#include "charts/series/chart_list.h"

#include <QCoreApplication>

#include <cstdio>
#include <map>

namespace {

// The usage text around the names of the charts, which come from the chart list.
const char* const kUsageBeforeCharts =
    "usage: kolvaro-cli [--tables DIR] COMMAND [ARGS]\n"
    "       kolvaro-cli --help | --version\n"
    "commands:\n"
    "  classify [--classic]      description texts on stdin -> kind, code/account, relation, "
    "description\n"
    "  import [--classic] [--account NUMBER] FILE...\n"
    "                            import TAB files (--classic: the old description layouts only;\n"
    "                            --account: the account to read from a file of several)\n"
    "  complete [FILTER...]      complete the relation-year rows from the transactions\n"
    "  fill [FILTER...]          fill the month totals of the relation-year rows\n"
    "  totals [FILTER...]        the month-totals strip (--year PREFIX is --jaar PREFIX)\n"
    "  select [FILTER...]        set the select flag of the presented relation-year rows\n"
    "  deselect [FILTER...]      clear it\n"
    "  dump mutaties|bedrijven [FILTER...]\n"
    "                            every presented row, tab-separated, a header line first\n"
    "  count mutaties|bedrijven [FILTER...]\n"
    "                            the number of presented rows; for mutaties a second line\n"
    "                            with the sums Bij, Af and Saldo of their amounts\n"
    "  export mutaties|bedrijven [FILTER...] --csv FILE\n"
    "                            the presented rows as the grid's CSV export\n"
    "  chart ";
const char* const kUsageAfterCharts =
    " [FILTER...]\n"
    "        [--years Y,Y,...] [--png FILE [--size WxH]]\n"
    "                            the series of a chart window, or its picture\n"
    "  groups list | add --veld V --soort S --patroon P --groep G [--op N] | remove N\n"
    "         | move N M | test [--veld V] TEXT | apply [--dry-run] | undo\n"
    "                            the rules that join relation names into groups\n"
    "  status                    the notices the pages show now (totals to bring up to date,\n"
    "                            rules not yet applied, transactions missing), one a line\n"
    "  gaps                      the periods whose transactions the bank's balances show\n"
    "                            missing: last date before, first date after, missing amount\n"
    "  vast [--peildatum YYYY-MM-DD] [--alle]\n"
    "                            the fixed costs and regular income found, by relation: rhythm,\n"
    "                            latest amount, last and next date, status, amount before a\n"
    "                            price rise (--alle: also those marked \"Niet vast\")\n"
    "  sample --lines N [--seed S] [--years K] [--start-year Y] [--dup-fraction F]\n"
    "         [--layout classic|current|mixed] [--gaps N]\n"
    "                            a generated bank TAB file to stdout, to try the program;\n"
    "                            --gaps N leaves N periods out, the balances running on\n"
    "FILTER: the boxes of the pages' filter rows, each with the text typed into it\n"
    "  mutaties:  --datum-van DATE --datum-tm DATE --soort-van N --soort-tm N\n"
    "             --relatie TEXT --omschrijving TEXT\n"
    "  bedrijven: --jaar TEXT --naam TEXT\n"
    "--tables DIR names the tables folder; without it the folder of the KOLVARO alias is used.\n"
    "Exit status: 0 done, 1 failure (message on stderr), 2 bad usage.\n";

QByteArray usage()
{
    return kUsageBeforeCharts + charts::chartNames().toUtf8() + kUsageAfterCharts;
}

int badUsage()
{
    std::fputs(usage().constData(), stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    // Only a picture needs the (offscreen) GUI application.
    const std::unique_ptr<QCoreApplication> app =
        cli::makeApplication(argc, argv, cli::asksForPicture(args));
    QCoreApplication::setApplicationName(QStringLiteral("kolvaro-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KOLVARO_VERSION));

    cli::Context context;
    if (!args.isEmpty() && args[0] == u"--tables") {
        if (args.size() < 2)
            return badUsage();
        context.tablesDir = args[1];
        args = args.mid(2);
    }
    if (args.isEmpty())
        return badUsage();
    if (args[0] == u"--help" || args[0] == u"-h") {
        std::fputs(usage().constData(), stdout);
        return 0;
    }
    if (args[0] == u"--version") {
        std::fputs("kolvaro-cli " KOLVARO_VERSION "\n", stdout);
        return 0;
    }
    const std::map<QString, int (*)(const cli::Context&)> commands = {
        {QStringLiteral("classify"), cli::classify}, {QStringLiteral("import"), cli::importFiles},
        {QStringLiteral("complete"), cli::complete}, {QStringLiteral("fill"), cli::fill},
        {QStringLiteral("totals"), cli::totals},     {QStringLiteral("dump"), cli::dump},
        {QStringLiteral("sample"), cli::sampleTab},  {QStringLiteral("chart"), cli::chart},
        {QStringLiteral("count"), cli::count},       {QStringLiteral("select"), cli::select},
        {QStringLiteral("deselect"), cli::deselect}, {QStringLiteral("export"), cli::exportRows},
        {QStringLiteral("groups"), cli::groups},     {QStringLiteral("status"), cli::status},
        {QStringLiteral("gaps"), cli::gaps},         {QStringLiteral("vast"), cli::vast},
    };
    const auto command = commands.find(args[0]);
    if (command == commands.end())
        return badUsage();
    context.args = args.mid(1);
    return command->second(context);
}
