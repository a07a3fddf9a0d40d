#include "pipeline/file_import.h"

#include "pipeline/passes.h"

namespace pipeline {

FileImport::FileImport(store::TDataModule1& data, const relations::GroupResolver& groups)
    : m_data(data), m_groups(groups)
{
}

ImportOutcome FileImport::run(const QString& path, const AccountChoice& choose)
{
    m_lineNumber = 0;
    ImportOutcome outcome;
    const std::optional<QString> account = choose(import::accountsInFile(path));
    if (!account) {
        outcome.cancelled = true;
        return outcome;
    }
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
