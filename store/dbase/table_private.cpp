#include "store/dbase/table_private.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace dbase {

void Table::Private::addMissingFields()
{
    if (missingFields.empty())
        return;
    requireWritable();
    const bool hadRow = pos >= 0 && pos < count();
    const std::uint32_t recno = hadRow ? currentRecno() : 0;
    file->addFields(missingFields);
    missingFields.clear();
    // The index points into the file's field list and rows, which are new.
    aboutToReset();
    index = std::make_unique<Index>(*file, indexField);
    index->rebuild();
    rebuildFiltered();
    if (hadRow) {
        bool found = false;
        const int p = positionOf(recno, &found);
        pos = count() == 0 ? -1 : std::min(p, count() - 1);
    }
    resetDone();
}

void Table::Private::postPending()
{
    if (state == State::Insert)
        postInsert();
    else if (state == State::Edit)
        postEdit();
}

void Table::Private::postInsert()
{
    const std::uint32_t recno = file->append(buffer.data());
    lastAppended = recno;
    state = State::Browse;
    buffer.clear();
    // Observers hear of the new row before it is placed, with the position it will take.
    const std::size_t indexPoint = index->insertionPoint(recno);
    if (filterInForce() && !accepts(recno)) {
        index->insertAt(indexPoint, recno);
        // The new row is not presented; the cursor stays where the row would stand.
        pos = count() == 0 ? -1 : std::min(positionOf(recno), count() - 1);
    } else {
        const int p = filterInForce() ? positionOf(recno) : static_cast<int>(indexPoint);
        notify([p](TableObserver* o) { o->aboutToInsert(p); });
        index->insertAt(indexPoint, recno);
        if (filterInForce())
            filteredRows.insert(filteredRows.begin() + p, recno);
        notify([p](TableObserver* o) { o->inserted(p); });
        pos = p;
    }
    eof = bof = false;
    currentMoved();
}

void Table::Private::postEdit()
{
    // Unchanged rows are not written.
    const std::uint32_t recno = currentRecno();
    state = State::Browse;
    if (!modified) {
        buffer.clear();
        return;
    }
    if (index->sameKey(file->record(recno), buffer.data()))
        postEditInPlace(recno);
    else
        postEditMovingKey(recno);
}

void Table::Private::postEditInPlace(std::uint32_t recno)
{
    const bool wasAccepted = !filterInForce() || accepts(recno);
    file->write(recno, buffer.data());
    buffer.clear();
    const bool nowAccepted = !filterInForce() || accepts(recno);
    if (wasAccepted == nowAccepted)
        notify([this](TableObserver* o) { o->rowChanged(pos); });
    else
        represent();
}

void Table::Private::postEditMovingKey(std::uint32_t recno)
{
    // The file first: when the write fails, the index and the presented rows are untouched.
    const std::vector<char> oldRow(file->record(recno), file->record(recno) + file->recordLength());
    file->write(recno, buffer.data());
    buffer.clear();
    aboutToReset();
    index->remove(recno, oldRow.data());
    index->insert(recno);
    rebuildFiltered();
    bool found = false;
    const int p = positionOf(recno, &found);
    pos = count() == 0 ? -1 : std::min(p, count() - 1);
    eof = bof = count() == 0;
    resetDone();
}

void Table::Private::seekTo(const QByteArray& textKey, double numberKey)
{
    requireOpen();
    postPending();
    const auto& rows = presented();
    const auto it = std::lower_bound(rows.begin(), rows.end(), 0, [&](std::uint32_t e, int) {
        return index->compareKey(e, textKey, numberKey) < 0;
    });
    if (rows.empty()) {
        pos = -1;
        eof = bof = true;
    } else {
        pos = it == rows.end() ? count() - 1 : static_cast<int>(it - rows.begin());
        eof = bof = false;
    }
    currentMoved();
}

} // namespace dbase
