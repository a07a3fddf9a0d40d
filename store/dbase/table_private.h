#pragma once

// The inside of a Table: its file, active index, filter, cursor, pending row and observers.
// Shared by the table's own files only.
#include "store/dbase/dbf_file.h"
#include "store/dbase/engine_error.h"
#include "store/dbase/index.h"
#include "store/dbase/table.h"
#include "store/dbase/table_observer.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>
#if defined(_MSC_VER)
#include <xmmintrin.h>
#endif

namespace dbase {

// A hint that the bytes are read soon.
inline void prefetch(const char* bytes)
{
#if defined(_MSC_VER)
    _mm_prefetch(bytes, _MM_HINT_T0);
#else
    __builtin_prefetch(bytes);
#endif
}

struct Table::Private
{
    TableDefinition definition;
    QString directory;
    QString indexName;
    bool exclusive = false;
    bool readOnly = false;

    std::unique_ptr<QTemporaryDir> memoryDir; // backing folder of an in-memory table
    std::unique_ptr<DbfFile> file;
    std::unique_ptr<Index> index;
    int indexField = -1;                 // of the active index; -1: record order
    std::vector<FieldDef> missingFields; // later fields the open file lacks still

    bool filtered = false;
    RowPredicate predicate;
    std::vector<std::uint32_t> filteredRows; // used while a filter is in force

    int pos = -1;
    bool eof = true;
    bool bof = true;
    State state = State::Inactive;
    std::vector<char> buffer; // the pending row in Edit and Insert
    bool modified = false;
    std::uint32_t lastAppended = 0;

    int disableCount = 0;
    std::vector<TableObserver*> observers;

    bool filterInForce() const { return filtered && predicate; }
    const std::vector<std::uint32_t>& presented() const
    {
        return filterInForce() ? filteredRows : index->order();
    }
    int count() const { return static_cast<int>(presented().size()); }
    std::uint32_t currentRecno() const { return presented()[static_cast<std::size_t>(pos)]; }
    bool accepts(std::uint32_t recno) const
    {
        return predicate(RowView(file->record(recno), &file->fields()));
    }

    void requireOpen() const
    {
        if (state == State::Inactive)
            throw EngineError(QStringLiteral("Cannot perform this operation on a closed dataset"));
    }
    void requireWritable() const
    {
        if (!file->writable())
            throw EngineError(QStringLiteral("Cannot write to table %1: %2")
                                  .arg(file->path(), file->readOnlyReason()));
    }
    void requireClosed() const
    {
        if (state != State::Inactive)
            throw EngineError(QStringLiteral("Cannot perform this operation on an open dataset"));
    }

    template <typename F> void notify(F&& f)
    {
        if (disableCount == 0)
            for (TableObserver* o : observers)
                f(o);
    }
    void aboutToReset()
    {
        notify([](TableObserver* o) { o->aboutToReset(); });
    }
    void resetDone()
    {
        notify([](TableObserver* o) { o->reset(); });
        currentMoved();
    }
    void currentMoved()
    {
        notify([this](TableObserver* o) { o->currentChanged(pos); });
    }

    void rebuildFiltered()
    {
        filteredRows.clear();
        if (!filterInForce())
            return;
        // The predicate reads the rows in file order: the index's order scatters over the rows
        // in memory, and on a large table waiting for memory then costs more than the test.
        const std::uint32_t rows = file->recordCount();
        std::vector<std::uint8_t> accepted(rows);
        // Rows are asked for ahead of the test: records are hundreds of bytes apart, too far for
        // the processor to guess.
        constexpr std::uint32_t kAhead = 16;
        const int length = file->recordLength();
        for (std::uint32_t r = 0; r < rows; ++r) {
            if (r + kAhead < rows)
                for (int offset = 0; offset < length; offset += 64)
                    prefetch(file->record(r + kAhead) + offset);
            accepted[r] = !file->isDeleted(r) && accepts(r);
        }
        for (std::uint32_t r : index->order())
            if (accepted[r])
                filteredRows.push_back(r);
    }

    // Position of a record among the presented rows, or where it would stand.
    int positionOf(std::uint32_t recno, bool* found = nullptr) const
    {
        const auto& rows = presented();
        const auto it = std::lower_bound(
            rows.begin(), rows.end(), recno,
            [this](std::uint32_t e, std::uint32_t v) { return index->less(e, v); });
        if (found)
            *found = it != rows.end() && *it == recno;
        return static_cast<int>(it - rows.begin());
    }

    // Re-presents the rows (a filter change, a reopened file), keeping the current record when
    // it is still presented.
    void represent()
    {
        const bool hadRow = pos >= 0 && pos < count();
        const std::uint32_t recno = hadRow ? currentRecno() : 0;
        aboutToReset();
        rebuildFiltered();
        if (count() == 0) {
            pos = -1;
        } else if (hadRow) {
            bool found = false;
            const int p = positionOf(recno, &found);
            pos = found ? p : std::min(p, count() - 1); // a row that left: its follower
        } else {
            pos = 0;
        }
        eof = bof = count() == 0;
        resetDone();
    }

    // Before the first write: gives the file the later fields it lacks (DbfFile::addFields).
    // Records keep their numbers, so the cursor stays on its row.
    void addMissingFields();

    // Writes the pending row of Insert or Edit; does nothing in Browse.
    void postPending();
    void seekTo(const QByteArray& textKey, double numberKey);

private:
    void postInsert();
    void postEdit();
    void postEditInPlace(std::uint32_t recno);
    void postEditMovingKey(std::uint32_t recno);
};

} // namespace dbase
