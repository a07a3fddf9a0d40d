#pragma once

#include "import/filtergegevens.h"
#include "store/dbase/table.h"

#include <QString>
#include <functional>

namespace relations {
class GroupResolver;
}

namespace import {

// The progress bar that follows an import.
class Gauge
{
public:
    virtual ~Gauge() = default;
    virtual void setMaximum(int maximum) = 0;
    virtual void setPosition(int position) = 0;
};

struct ImportCounts
{
    int added = 0;         // lines appended to mutaties
    int skipped = 0;       // lines already stored
    int otherAccounts = 0; // lines of accounts other than the one chosen
    // Lines whose balances are missing, no numbers, or do not add up (before + amount is not
    // after), and the 1-based number in the file of the first of them (0 when none).
    int balanceFailures = 0;
    int firstBalanceFailure = 0;
};

// "<n> nieuw, <m> overgeslagen", and how many lines of other accounts were left out, if any.
QString countsText(const ImportCounts& counts);
// "<n> saldo-fouten, eerste op regel <k>"; empty when every line's balances add up.
QString balanceFailuresText(const ImportCounts& counts);

struct ImportOptions
{
    Layouts layouts = Layouts::Current;
    // The account (field 1) to read from a file that holds several; empty reads every line.
    QString account;
};

// Reads one TAB file into mutaties (active index DATUM) and gives every appended transaction
// a bedrijven row (active index NAAM) for its relation and year; a line already stored in a row
// without balances gives that row its balances (the only change made to a stored transaction).
// Every appended row is stored at once, so a failure keeps the lines before it; the file is closed
// on every path. Wherever the program is killed, the next import of the file completes both tables:
// a transaction is stored only after its relation-year row.
class ImportRun
{
public:
    ImportRun(dbase::Table& mutaties, dbase::Table& bedrijven);

    // The gauge gets maximum = file size / 128 and position = the line counter (1 before the
    // first line, n + 1 after the n-th, never past the maximum); at the end it stands full.
    void setGauge(Gauge* gauge) { m_gauge = gauge; }
    void setOptions(ImportOptions options) { m_options = std::move(options); }
    // The relation-year row of an appended transaction is that of its group (the stored Naam
    // itself stays as the bank gave it, so the duplicate test is untouched).
    void setGroups(const relations::GroupResolver* groups) { m_groups = groups; }

    // Throws ImportError (file, amount, date) or the engine's error; the gauge then stays where
    // it was. On success both tables are on the disk (flushed) before the gauge stands full.
    ImportCounts run(const QString& path);

    // The line being read: after a failure, the 1-based number of the line that failed (0 when
    // the file could not be opened).
    int lineNumber() const { return m_lineNumber; }

private:
    dbase::Table& m_mutaties;
    dbase::Table& m_bedrijven;
    Gauge* m_gauge = nullptr;
    ImportOptions m_options;
    const relations::GroupResolver* m_groups = nullptr;
    int m_lineNumber = 0;
};

} // namespace import
