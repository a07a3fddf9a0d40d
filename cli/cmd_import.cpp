#include "cli/cli_support.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "import/import_run.h"

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

} // namespace

int importFiles(const Context& context)
{
    if (context.args.isEmpty()) {
        printErr(QStringLiteral("usage: kolvaro-cli import FILE..."));
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
    for (const QString& file : context.args) {
        import::ImportRun run(data.T1, data.T2);
        run.setGroups(&*groups);
        import::ImportCounts counts;
        try {
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
            runGuarded([&] { data.closeAll(); });
            return 1;
        }
        printOut(
            QStringLiteral("%1 nieuw, %2 overgeslagen\n").arg(counts.added).arg(counts.skipped));
    }
    return runGuarded([&] { data.closeAll(); });
}

} // namespace cli
