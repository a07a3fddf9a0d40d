#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/gap_text.h"
#include "cli/terminal.h"
#include "import/account_census.h"
#include "import/import_error.h"
#include "import/import_run.h"
#include "pipeline/file_import.h"

#include <cstdio>
#include <exception>
#include <optional>

using namespace Qt::StringLiterals;

namespace cli {
namespace {

// A progress line on stderr, redrawn when the percentage changes.
class TerminalGauge : public import::Gauge
{
public:
    explicit TerminalGauge(const QString& file) : m_file(file) {}
    ~TerminalGauge() override
    {
        if (m_shown)
            std::fputs("\n", stderr);
    }
    TerminalGauge(const TerminalGauge&) = delete;
    TerminalGauge& operator=(const TerminalGauge&) = delete;

    void setMaximum(int maximum) override { m_maximum = maximum; }
    void setPosition(int position) override
    {
        if (m_maximum <= 0)
            return;
        const int percent = static_cast<int>(100LL * position / m_maximum);
        if (percent == m_percent)
            return;
        m_percent = percent;
        m_shown = true;
        const QByteArray text = QStringLiteral("\r%1: %2%").arg(m_file).arg(percent).toUtf8();
        std::fputs(text.constData(), stderr);
        std::fflush(stderr);
    }

private:
    QString m_file;
    int m_maximum = 0;
    int m_percent = -1;
    bool m_shown = false;
};

// The options before the files; false on a bad usage.
bool parseOptions(QStringList& args, import::ImportOptions& options)
{
    while (!args.isEmpty() && args.front().startsWith(u"--")) {
        if (args.front() == u"--classic") {
            options.layouts = import::Layouts::Classic;
            args.removeFirst();
        } else if (args.front() == u"--account" && args.size() >= 2 && !args[1].isEmpty()) {
            options.account = args[1];
            args.remove(0, 2);
        } else {
            return false;
        }
    }
    return !args.isEmpty();
}

// A file of several accounts is read only for the account asked for; without one, or with one
// the file does not hold, nothing of it is read.
pipeline::AccountChoice accountOption(const QString& account)
{
    return [account](const std::vector<import::AccountLines>& accounts) -> std::optional<QString> {
        QStringList labels;
        bool found = false;
        for (const import::AccountLines& a : accounts) {
            labels << import::accountLabel(a);
            found = found || a.account == account;
        }
        if (account.isEmpty() && accounts.size() > 1)
            throw import::ImportError(
                QStringLiteral(
                    "het bestand bevat meerdere rekeningen: %1; kies er een met --account")
                    .arg(labels.join(QStringLiteral(", "))));
        if (!account.isEmpty() && !found && !accounts.empty())
            throw import::ImportError(
                QStringLiteral("rekening %1 staat niet in het bestand (wel: %2)")
                    .arg(account, labels.join(QStringLiteral(", "))));
        return account;
    };
}

} // namespace

int importFiles(const Context& context)
{
    QStringList files = context.args;
    import::ImportOptions options;
    if (!parseOptions(files, options)) {
        printErr(
            QStringLiteral("usage: kolvaro-cli import [--classic] [--account NUMBER] FILE..."));
        return 2;
    }
    store::TDataModule1 data;
    if (const int status =
            runGuarded([&] { openTables(data, context.tablesDir, TableAccess::Write); }))
        return status;

    std::optional<relations::GroupResolver> groups;
    if (const int status = runGuarded([&] { groups = groupResolver(data); }))
        return status;

    const bool terminal = stderrIsTerminal();
    for (const QString& file : files) {
        pipeline::FileImport fileImport(data, *groups);
        fileImport.setLayouts(options.layouts);
        try {
            TerminalGauge gauge(file);
            if (terminal)
                fileImport.setGauge(&gauge);
            // The counts line as it always was; the balances that failed on a line of their own.
            const pipeline::ImportOutcome outcome =
                fileImport.run(file, accountOption(options.account));
            if (outcome.cancelled) {
                printOut(outcome.countsText + u'\n');
            } else {
                printOut(import::countsText(outcome.counts) + u'\n');
                if (const QString failures = import::balanceFailuresText(outcome.counts);
                    !failures.isEmpty())
                    printOut(failures + u'\n');
                // The periods still missing once this file is in.
                for (const balances::Gap& gap : balances::storedGaps(data.T1))
                    printOut(u"gat\t"_s + gapText(gap) + u'\n');
            }
        } catch (const std::exception& error) {
            // The rows before the failing line are stored already; say where it stopped.
            const QString where =
                fileImport.lineNumber() > 0
                    ? QStringLiteral("%1:%2: ").arg(file).arg(fileImport.lineNumber())
                    : file + QStringLiteral(": ");
            printErr(where + QString::fromUtf8(error.what()));
            warnGiveUps(*groups);
            runGuarded([&] { data.closeAll(); });
            return 1;
        }
    }
    warnGiveUps(*groups);
    return runGuarded([&] { data.closeAll(); });
}

} // namespace cli
