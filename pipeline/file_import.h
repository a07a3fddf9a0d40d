#pragma once

#include "import/account_census.h"
#include "import/import_run.h"
#include "relations/group_resolver.h"
#include "store/data_module.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace pipeline {

// Which account of a file to read, given the accounts it holds (in the order they first occur):
// the window asks the user when there are several, kolvaro-cli takes --account. An empty text
// reads every line; nothing means the user cancelled and nothing is read. May throw to refuse
// the file (nothing is read then either).
using AccountChoice =
    std::function<std::optional<QString>(const std::vector<import::AccountLines>& accounts)>;

struct ImportOutcome
{
    bool cancelled = false; // the choice of account was cancelled: nothing read
    import::ImportCounts counts;
    // "<n> nieuw, <m> overgeslagen[, <k> van een andere rekening]", and when balances failed
    // "; <f> saldo-fouten, eerste op regel <r>"
    QString countsText;
};

// The whole import of one TAB file into the data module's tables, for both faces: the census of
// its accounts, the face's choice, the guard that keeps one account per table set, the run, the
// counts; and when it stored rows (also before a failure), the notice that the totals lack them.
// The guard: tables with rows take only the account they remember (see tables_account.h);
// empty tables, and tables with rows but no remembered account, take any and remember it.
class FileImport
{
public:
    FileImport(store::TDataModule1& data, const relations::GroupResolver& groups);

    void setLayouts(import::Layouts layouts) { m_options.layouts = layouts; }
    void setGauge(import::Gauge* gauge) { m_gauge = gauge; }

    // Throws what the run throws (ImportError, the engine's error) or what `choose` throws;
    // ImportError, with nothing stored, for a file of another account than the tables'.
    ImportOutcome run(const QString& path, const AccountChoice& choose);

    // After a failure: the 1-based number of the line that failed (0 when none was read).
    int lineNumber() const { return m_lineNumber; }

private:
    store::TDataModule1& m_data;
    const relations::GroupResolver& m_groups;
    import::ImportOptions m_options;
    import::Gauge* m_gauge = nullptr;
    int m_lineNumber = 0;
};

} // namespace pipeline
