#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "import/account_census.h"
#include "import/import_error.h"
#include "import/import_run.h"
#include "store/totals_notice.h"

#include <cstdio>
#include <exception>
#include <optional>

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
void checkAccount(const QString& file, const QString& account)
{
    const std::vector<import::AccountLines> accounts = import::accountsInFile(file);
    QStringList labels;
    bool found = false;
    for (const import::AccountLines& a : accounts) {
        labels << import::accountLabel(a);
        found = found || a.account == account;
    }
    if (account.isEmpty() && accounts.size() > 1)
        throw import::ImportError(
            QStringLiteral("het bestand bevat meerdere rekeningen: %1; kies er een met --account")
                .arg(labels.join(QStringLiteral(", "))));
    if (!account.isEmpty() && !found && !accounts.empty())
        throw import::ImportError(QStringLiteral("rekening %1 staat niet in het bestand (wel: %2)")
                                      .arg(account, labels.join(QStringLiteral(", "))));
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

    // Stored transactions, also those before a failure, are not in the totals yet: say so beside
    // the tables, as the window does.
    const int storedBefore = data.T1.recordCount();
    const auto noteNewRows = [&] {
        if (data.T1.recordCount() > storedBefore)
            store::TotalsNotice(data.T1.directory()).markDue(store::TotalsStep::CompleteRelations);
    };

    const bool terminal = stderrIsTerminal();
    for (const QString& file : files) {
        import::ImportRun run(data.T1, data.T2);
        run.setOptions(options);
        run.setGroups(&*groups);
        import::ImportCounts counts;
        try {
            checkAccount(file, options.account);
            TerminalGauge gauge(file);
            if (terminal)
                run.setGauge(&gauge);
            counts = run.run(file);
        } catch (const std::exception& error) {
            // The rows before the failing line are stored already; say where it stopped.
            const QString where = run.lineNumber() > 0
                                      ? QStringLiteral("%1:%2: ").arg(file).arg(run.lineNumber())
                                      : file + QStringLiteral(": ");
            printErr(where + QString::fromUtf8(error.what()));
            warnGiveUps(*groups);
            runGuarded(noteNewRows);
            runGuarded([&] { data.closeAll(); });
            return 1;
        }
        printOut(import::countsText(counts) + u'\n');
    }
    warnGiveUps(*groups);
    return runGuarded([&] {
        noteNewRows();
        data.closeAll();
    });
}

} // namespace cli
