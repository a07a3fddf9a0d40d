#include "import/import_run.h"

#include "import/account_census.h"
#include "import/filtergegevens.h"
#include "import/stored_transactions.h"
#include "import/tab_reader.h"
#include "import/text_ops.h"
#include "relations/relation_year.h"
#include "relations/transaction_groups.h"
#include "store/dbase/cp1252.h"
#include "store/dbase/update_blocker.h"
#include "store/table_names.h"

#include <QSet>

#include <algorithm>
#include <limits>

namespace import {

using namespace store::names;

namespace {

// A row appended but not posted must not reach the table when a field assignment throws.
class PendingRow
{
public:
    explicit PendingRow(dbase::Table& table) : m_table(table) { m_table.append(); }
    ~PendingRow()
    {
        if (m_table.state() == dbase::Table::State::Insert)
            m_table.cancel();
    }
    PendingRow(const PendingRow&) = delete;
    PendingRow& operator=(const PendingRow&) = delete;

private:
    dbase::Table& m_table;
};

class Appender
{
public:
    explicit Appender(dbase::Table& mutaties)
        : m_datum(mutaties.fieldByName(kDatum)), m_soort(mutaties.fieldByName(kSoort)),
          m_naam(mutaties.fieldByName(kNaam)), m_reknum(mutaties.fieldByName(kReknum)),
          m_omschrijving(mutaties.fieldByName(kOmschrijving)),
          m_bedrag(mutaties.fieldByName(kBedrag)), m_mutaties(mutaties)
    {
    }

    // Fills the pending row with the transaction.
    void fill(const Transaction& transaction)
    {
        m_datum.setAsDate(transaction.date);
        // Soort is a whole-number field (the table's required type): a one-digit kind stored as
        // its number gives the same bytes without parsing the text.
        const QString& kind = transaction.kind;
        if (kind.size() == 1 && kind[0] >= u'0' && kind[0] <= u'9')
            m_soort.setAsInteger(kind[0].unicode() - u'0');
        else
            m_soort.setAsString(kind);
        m_naam.setAsString(transaction.relation);
        m_reknum.setAsString(transaction.code);
        m_omschrijving.setAsString(transaction.description);
        m_bedrag.setAsFloat(transaction.amount);
        if (transaction.balances)
            fillBalances(*transaction.balances);
    }

    // Gives the row in edit or append its balances.
    void fillBalances(const Balances& balances)
    {
        // Found once the table has them: one of an earlier version gains them at its first
        // write, the append or edit before this.
        if (m_saldoVoor < 0) {
            m_saldoVoor = m_mutaties.fieldIndex(kSaldoVoor);
            m_saldoNa = m_mutaties.fieldIndex(kSaldoNa);
        }
        m_mutaties.field(m_saldoVoor).setAsFloat(balances.before);
        m_mutaties.field(m_saldoNa).setAsFloat(balances.after);
    }

private:
    dbase::Field m_datum;
    dbase::Field m_soort;
    dbase::Field m_naam;
    dbase::Field m_reknum;
    dbase::Field m_omschrijving;
    dbase::Field m_bedrag;
    dbase::Table& m_mutaties;
    int m_saldoVoor = -1;
    int m_saldoNa = -1;
};

// The texts trimmed once, so that the duplicate test and the stored row agree.
Transaction toTransaction(const LineValues& values, const Classification& c)
{
    return {values.date,
            values.amount,
            c.kind,
            trimControls(c.code),
            trimControls(c.relation),
            trimControls(c.description),
            values.balances};
}

// The lines of one run as they are stored: each new transaction after its relation-year row,
// each line already stored (under either reading of its description) or of another account
// counted.
class LineStore
{
public:
    LineStore(dbase::Table& mutaties, dbase::Table& bedrijven, const ImportOptions& options,
              const relations::GroupResolver* groups)
        : m_mutaties(mutaties), m_bedrijven(bedrijven), m_options(options), m_stored(mutaties),
          m_appender(mutaties), m_groups(mutaties, groups),
          m_groupIsNaam(!groups || !groups->hasActiveRules()),
          m_naamOffset(mutaties.fieldDef(mutaties.fieldByName(kNaam).index()).offset),
          m_naamWidth(mutaties.fieldDef(mutaties.fieldByName(kNaam).index()).width)
    {
    }

    void take(QByteArrayView bytes, int lineNumber)
    {
        if (!m_options.account.isEmpty() && isOtherAccount(bytes, m_options.account)) {
            ++m_counts.otherAccounts;
            return;
        }
        const LineValues values =
            filtergegevens(dbase::cp1252::decode(bytes.data(), bytes.size()), m_options.layouts);
        if (values.balanceFailed && m_counts.balanceFailures++ == 0)
            m_counts.firstBalanceFailure = lineNumber;
        const Transaction transaction = toTransaction(values, values.classification);
        std::optional<Transaction> otherReading;
        if (values.otherReading)
            otherReading = toTransaction(values, *values.otherReading);
        const StoredTransactions::Lookup found = m_stored.lookUp(transaction, otherReading);
        switch (found.found) {
        case StoredTransactions::Found::Stored:
            ++m_counts.skipped;
            return;
        case StoredTransactions::Found::Fill:
            fill(found.row, *transaction.balances);
            ++m_counts.skipped;
            return;
        case StoredTransactions::Found::New:
            break;
        }
        store(transaction);
        m_stored.rowStored(m_mutaties.lastAppended());
        ++m_counts.added;
    }

    const ImportCounts& counts() const { return m_counts; }

private:
    // A row stored without balances gets the line's, rewritten in place.
    void fill(dbase::Bookmark row, const Balances& balances)
    {
        m_mutaties.gotoBookmark(row);
        // Rows the duplicate test read are presented; one appended in this run a filter may
        // hide, and then it is left as it is.
        if (m_mutaties.bookmark() != row)
            return;
        m_mutaties.edit();
        try {
            m_appender.fillBalances(balances);
        } catch (...) {
            m_mutaties.cancel();
            throw;
        }
        m_mutaties.post();
    }

    void store(const Transaction& transaction)
    {
        PendingRow row(m_mutaties);
        m_appender.fill(transaction);
        // The year as every other pass writes it: for the four-digit years of a bank export the
        // same as the date field's first four characters, and never a second spelling.
        const QString& year = yearOf(transaction.date);
        // Without active rules the group is Naam as the row holds it, which the same bytes give
        // alike: a pair done before is known by them, without decoding the name again.
        if (m_groupIsNaam) {
            const dbase::RowView pending = m_mutaties.currentRow();
            m_doneKey.resize(0); // keeps its buffer
            m_doneKey.append(pending.bytes() + m_naamOffset, m_naamWidth);
            m_doneKey.append(reinterpret_cast<const char*>(year.constData()),
                             year.size() * qsizetype(sizeof(QChar)));
            if (m_doneRows.contains(m_doneKey)) {
                m_mutaties.post();
                return;
            }
        }
        std::pair<QString, QString> pair{m_groups.groupOfCurrent(), year};
        // The relation-year row is stored before its transaction. A program killed between the
        // two then leaves a row without transactions, which the next import of the line finds;
        // the other way round it would leave a transaction without its row, and the next import
        // would skip the line as stored and never add the row.
        if (!m_completed.contains(pair)) {
            relations::bijrelatie(m_bedrijven, pair.first, pair.second);
            m_completed.insert(std::move(pair));
        }
        if (m_groupIsNaam)
            m_doneRows.insert(m_doneKey);
        m_mutaties.post();
    }

    // The year text of the last date asked: the lines of a file come by date, so the year
    // changes seldom.
    const QString& yearOf(const QDate& date)
    {
        if (date != m_yearDate) {
            m_yearDate = date;
            m_yearText = relations::yearText(date);
        }
        return m_yearText;
    }

    dbase::Table& m_mutaties;
    dbase::Table& m_bedrijven;
    const ImportOptions& m_options;
    QDate m_yearDate;
    QString m_yearText;
    StoredTransactions m_stored;
    Appender m_appender;
    const relations::TransactionGroups m_groups;
    // Relation-year pairs completed during this run: bedrijven has their row now, so the
    // lookup need not be repeated for every further transaction of the pair.
    QSet<std::pair<QString, QString>> m_completed;
    // The same pairs by the bytes of Naam and the year, while the group is Naam.
    const bool m_groupIsNaam;
    const int m_naamOffset;
    const int m_naamWidth;
    QSet<QByteArray> m_doneRows;
    QByteArray m_doneKey;
    ImportCounts m_counts;
};

} // namespace

QString balanceFailuresText(const ImportCounts& counts)
{
    if (counts.balanceFailures == 0)
        return {};
    return QStringLiteral("%1 saldo-fouten, eerste op regel %2")
        .arg(counts.balanceFailures)
        .arg(counts.firstBalanceFailure);
}

QString countsText(const ImportCounts& counts)
{
    QString text =
        QStringLiteral("%1 nieuw, %2 overgeslagen").arg(counts.added).arg(counts.skipped);
    if (counts.otherAccounts > 0)
        text += QStringLiteral(", %1 van een andere rekening").arg(counts.otherAccounts);
    return text;
}

ImportRun::ImportRun(dbase::Table& mutaties, dbase::Table& bedrijven)
    : m_mutaties(mutaties), m_bedrijven(bedrijven)
{
}

ImportCounts ImportRun::run(const QString& path)
{
    m_lineNumber = 0;
    TabReader reader(path);

    const qint64 maximum64 = reader.size() / 128;
    const int maximum =
        static_cast<int>(std::min<qint64>(maximum64, std::numeric_limits<int>::max()));
    if (m_gauge) {
        m_gauge->setMaximum(maximum);
        m_gauge->setPosition(0);
    }

    // Grids show the tables once, as they stand at the end (or at the failing line), instead
    // of re-laying out for each of what may be 100 000 rows: the window cannot repaint during
    // the run anyway, so following every row would only cost time.
    const dbase::UpdateBlocker blockMutaties(m_mutaties);
    const dbase::UpdateBlocker blockBedrijven(m_bedrijven);
    LineStore lines(m_mutaties, m_bedrijven, m_options, m_groups);
    m_lineNumber = 1;
    while (!reader.atEnd()) {
        lines.take(reader.readLineView(), m_lineNumber);
        ++m_lineNumber;
        if (m_gauge)
            m_gauge->setPosition(std::min(m_lineNumber, maximum));
    }
    // On the disk before the gauge says it is done and the caller reports the counts.
    m_mutaties.flush();
    m_bedrijven.flush();
    if (m_gauge)
        m_gauge->setPosition(maximum);
    return lines.counts();
}

} // namespace import
