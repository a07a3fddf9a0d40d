#include "pipeline/file_import.h"

#include "import/import_error.h"
#include "pipeline/passes.h"
#include "pipeline/tables_account.h"

#include <QStringList>

namespace pipeline {
namespace {

// Refuses, before anything is stored, a file whose account is not the one the tables hold;
// otherwise remembers the file's account where the tables have none yet (or no rows).
// `chosen` empty reads every account of the file.
void keepOneAccount(const store::TDataModule1& data,
                    const std::vector<import::AccountLines>& accounts, const QString& chosen)
{
    const QString folder = data.T1.directory();
    if (folder.isEmpty())
        return;
    QStringList inFile;
    if (chosen.isEmpty())
        for (const import::AccountLines& a : accounts)
            inFile << a.account;
    else
        inFile << chosen;
    QStringList read; // as the file writes them, one per normal form
    QStringList normals;
    for (const QString& account : inFile) {
        const QString normal = normalAccount(account);
        if (!normal.isEmpty() && !normals.contains(normal)) {
            normals << normal;
            read << account;
        }
    }
    if (normals.isEmpty())
        return; // no transaction line: nothing to store
    const QString remembered = tablesAccount(folder);
    const bool holdsRows = data.T1.storedRowCount() > 0;
    if (holdsRows && !remembered.isEmpty()) {
        for (qsizetype i = 0; i < normals.size(); ++i)
            if (normals[i] != normalAccount(remembered))
                throw import::ImportError(
                    QStringLiteral("Het bestand is van rekening %1, de tabellen zijn van rekening "
                                   "%2: er is niets ingelezen. Houd een andere rekening bij in "
                                   "een eigen tabellenmap.")
                        .arg(read[i], remembered));
        return;
    }
    if (normals.size() == 1 && normalAccount(remembered) != normals.front())
        setTablesAccount(folder, read.front());
}

} // namespace

FileImport::FileImport(store::TDataModule1& data, const relations::GroupResolver& groups)
    : m_data(data), m_groups(groups)
{
}

ImportOutcome FileImport::run(const QString& path, const AccountChoice& choose)
{
    m_lineNumber = 0;
    ImportOutcome outcome;
    const std::vector<import::AccountLines> accounts = import::accountsInFile(path);
    const std::optional<QString> account = choose(accounts);
    if (!account) {
        outcome.cancelled = true;
        return outcome;
    }
    keepOneAccount(m_data, accounts, *account);
    import::ImportOptions options = m_options;
    options.account = *account;

    import::ImportRun run(m_data.T1, m_data.T2);
    run.setOptions(options);
    run.setGroups(&m_groups);
    run.setGauge(m_gauge);
    const int storedBefore = m_data.T1.recordCount();
    const auto noteStoredRows = [&] {
        if (m_data.T1.isOpen() && m_data.T1.recordCount() > storedBefore)
            totalsBecameStale(m_data);
    };
    try {
        outcome.counts = run.run(path);
    } catch (...) {
        // The rows stored before the failing line are missing from the totals as well.
        m_lineNumber = run.lineNumber();
        noteStoredRows();
        throw;
    }
    noteStoredRows();
    outcome.countsText = import::countsText(outcome.counts);
    if (const QString failures = import::balanceFailuresText(outcome.counts); !failures.isEmpty())
        outcome.countsText += QStringLiteral("; ") + failures;
    return outcome;
}

} // namespace pipeline
