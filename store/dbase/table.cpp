#include "store/dbase/table.h"

#include "store/dbase/dbf_file.h"
#include "store/dbase/engine_error.h"
#include "store/dbase/field_codec.h"
#include "store/dbase/index.h"
#include "store/dbase/table_location.h"
#include "store/dbase/table_private.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace dbase {

Table::Table() : d(std::make_unique<Private>()) {}

Table::~Table()
{
    // Closing writes a pending row; a destructor must not throw, and the rows already posted
    // are on disk, so a failure here can only lose the one unposted row.
    try {
        close();
    } catch (const EngineError&) {
    }
}

void Table::setDefinition(const TableDefinition& definition)
{
    d->requireClosed();
    d->definition = definition;
}
const TableDefinition& Table::definition() const
{
    return d->definition;
}
void Table::setDirectory(const QString& directory)
{
    d->requireClosed();
    d->directory = directory;
}
QString Table::directory() const
{
    return d->directory;
}
QString Table::filePath() const
{
    if (d->file)
        return d->file->path();
    return QDir(d->directory).filePath(d->definition.fileName);
}

void Table::setIndexName(const QString& indexName)
{
    d->indexName = indexName;
    if (d->state == State::Inactive)
        return;
    d->postPending();
    int field = -1;
    for (const IndexDef& def : d->definition.indexes)
        if (def.name.compare(indexName, Qt::CaseInsensitive) == 0)
            field = fieldIndex(def.field);
    if (!indexName.isEmpty() && field < 0)
        throw EngineError(u"Index '%1' not found in table %2"_s.arg(indexName, filePath()));
    d->aboutToReset();
    d->indexField = field;
    d->index = std::make_unique<Index>(*d->file, field);
    d->index->rebuild();
    d->rebuildFiltered();
    d->pos = d->count() > 0 ? 0 : -1;
    d->eof = d->bof = d->count() == 0;
    d->resetDone();
}
QString Table::indexName() const
{
    return d->indexName;
}

void Table::setExclusive(bool exclusive)
{
    d->requireClosed();
    d->exclusive = exclusive;
}
bool Table::exclusive() const
{
    return d->exclusive;
}

void Table::setReadOnly(bool readOnly)
{
    d->requireClosed();
    d->readOnly = readOnly;
}
bool Table::readOnly() const
{
    return d->readOnly;
}

QStringList Table::warnings() const
{
    return d->file ? d->file->warnings() : QStringList();
}

std::unique_ptr<Table> Table::createInMemory(const TableDefinition& definition,
                                             const QString& indexName)
{
    // A private temporary folder keeps one code path for every table; the rows still live in
    // memory and the folder goes with the table.
    auto table = std::make_unique<Table>();
    table->d->memoryDir = std::make_unique<QTemporaryDir>();
    if (!table->d->memoryDir->isValid())
        throw EngineError(u"Cannot create a temporary table"_s);
    table->setDefinition(definition);
    table->setDirectory(table->d->memoryDir->path());
    table->setIndexName(indexName);
    table->open();
    return table;
}

void Table::open()
{
    if (d->state != State::Inactive)
        return;
    if (d->directory.isEmpty())
        throw EngineError(u"No folder set for table %1"_s.arg(d->definition.fileName));
    checkTablesFolder(d->directory);
    QString path = locateTableFile(d->directory, d->definition.fileName);
    if (!d->readOnly && !QFileInfo::exists(path)) {
        if (!QDir().mkpath(d->directory))
            throw EngineError(u"Cannot create the folder %1"_s.arg(d->directory));
        path = locateTableFile(d->directory, d->definition.fileName);
        if (!QFileInfo::exists(path))
            DbfFile::create(path, d->definition.fields);
    }

    const DbfFile::Access access = d->readOnly    ? DbfFile::Access::Read
                                   : d->exclusive ? DbfFile::Access::WriteExclusive
                                                  : DbfFile::Access::Write;
    auto file = std::make_unique<DbfFile>(path, access);
    const auto fieldOf = [&file](const QString& name) {
        for (std::size_t i = 0; i < file->fields().size(); ++i) {
            const QString& stored = file->fields()[i].name;
            if (stored.compare(name, Qt::CaseInsensitive) == 0 ||
                (file->level() != 7 && stored.size() == 10 &&
                 name.left(10).compare(stored, Qt::CaseInsensitive) == 0))
                return static_cast<int>(i);
        }
        return -1;
    };
    const auto isLater = [this](const QString& name) {
        return std::any_of(d->definition.laterFields.begin(), d->definition.laterFields.end(),
                           [&name](const QString& later) {
                               return later.compare(name, Qt::CaseInsensitive) == 0;
                           });
    };
    std::vector<FieldDef> missing;
    for (const FieldDef& f : d->definition.fields)
        if (isLater(f.name) && fieldOf(f.name) < 0)
            missing.push_back(f);
    for (const RequiredField& req : d->definition.required) {
        const int found = fieldOf(req.name);
        if (found < 0 && isLater(req.name))
            continue;
        if (found < 0)
            throw EngineError(u"Table %1 has no field '%2'"_s.arg(path, req.name));
        const DataType got = file->fields()[static_cast<std::size_t>(found)].dataType();
        const bool integer =
            got == DataType::SmallInt || got == DataType::Integer || got == DataType::LargeInt;
        const bool ok = got == req.type || (req.type == DataType::SmallInt && integer) ||
                        (req.type == DataType::Float && integer);
        if (!ok)
            throw EngineError(u"Field '%1' of table %2 has the wrong type"_s.arg(req.name, path));
    }

    d->file = std::move(file);
    d->missingFields = std::move(missing);
    d->state = State::Browse;
    d->buffer.clear();
    d->modified = false;
    try {
        d->pos = -1;
        setIndexName(d->indexName);
    } catch (...) {
        d->state = State::Inactive;
        d->index.reset();
        d->file.reset();
        throw;
    }
}

void Table::close()
{
    if (d->state == State::Inactive)
        return;
    d->postPending();
    if (!d->memoryDir)
        d->file->sync();
    d->aboutToReset();
    d->state = State::Inactive;
    d->index.reset();
    d->file.reset();
    d->filteredRows.clear();
    d->pos = -1;
    d->eof = d->bof = true;
    d->resetDone();
}

bool Table::isOpen() const
{
    return d->state != State::Inactive;
}
Table::State Table::state() const
{
    return d->state;
}

void Table::emptyTable()
{
    d->requireOpen();
    if (!d->exclusive)
        throw EngineError(u"Table %1 must be opened exclusively to empty it"_s.arg(filePath()));
    d->requireWritable();
    d->state = State::Browse;
    d->buffer.clear();
    d->addMissingFields();
    d->file->truncate();
    d->aboutToReset();
    d->index->clear();
    d->filteredRows.clear();
    d->pos = -1;
    d->eof = d->bof = true;
    d->resetDone();
}

void Table::flush()
{
    d->requireOpen();
    d->postPending();
    // The file of an in-memory table is scratch: nothing on it needs to outlive the process.
    if (!d->memoryDir)
        d->file->sync();
}

void Table::pack()
{
    d->requireOpen();
    d->postPending();
    d->requireWritable();
    d->addMissingFields();
    if (!d->file->compact())
        return;
    // Record numbers changed: the index and the presented rows are made anew.
    setIndexName(d->indexName);
}

void Table::holdWritesUntilFlush()
{
    d->requireOpen();
    // An in-memory table is never flushed to its scratch file, so it holds nothing.
    if (!d->memoryDir)
        d->file->holdWritesUntilSync();
}

void Table::setFiltered(bool filtered)
{
    if (d->filtered == filtered)
        return;
    if (d->state != State::Inactive)
        d->postPending();
    d->filtered = filtered;
    if (d->state != State::Inactive)
        d->represent();
}
bool Table::filtered() const
{
    return d->filtered;
}

void Table::setFilterPredicate(RowPredicate predicate)
{
    if (d->state != State::Inactive)
        d->postPending();
    d->predicate = std::move(predicate);
    if (d->state != State::Inactive && d->filtered)
        d->represent();
}

void Table::clearFilterPredicate()
{
    setFilterPredicate(nullptr);
}
bool Table::hasFilterPredicate() const
{
    return static_cast<bool>(d->predicate);
}
const RowPredicate& Table::filterPredicate() const
{
    return d->predicate;
}

int Table::recordCount() const
{
    d->requireOpen();
    return d->count();
}

void Table::findNearest(const QString& key)
{
    d->requireOpen();
    d->seekTo(d->index->textKey(key), 0.0);
}

void Table::findNearest(const QDate& key)
{
    d->requireOpen();
    d->seekTo({}, key.isValid() ? static_cast<double>(key.toJulianDay()) : -INFINITY);
}

void Table::findNearest(double key)
{
    d->requireOpen();
    d->seekTo({}, key);
}

void Table::first()
{
    d->requireOpen();
    d->postPending();
    d->pos = d->count() > 0 ? 0 : -1;
    d->bof = true;
    d->eof = d->count() == 0;
    d->currentMoved();
}

void Table::last()
{
    d->requireOpen();
    d->postPending();
    d->pos = d->count() - 1;
    d->eof = true;
    d->bof = d->count() == 0;
    d->currentMoved();
}

void Table::next()
{
    d->requireOpen();
    d->postPending();
    if (d->pos + 1 < d->count()) {
        ++d->pos;
        d->bof = false;
        d->eof = false;
        d->currentMoved();
    } else {
        d->eof = true;
    }
}

void Table::prior()
{
    d->requireOpen();
    d->postPending();
    if (d->pos > 0) {
        --d->pos;
        d->bof = false;
        d->eof = false;
        d->currentMoved();
    } else {
        d->bof = true;
    }
}

bool Table::eof() const
{
    return d->state == State::Inactive || d->eof;
}
bool Table::bof() const
{
    return d->state == State::Inactive || d->bof;
}
bool Table::isEmpty() const
{
    return d->state == State::Inactive || d->count() == 0;
}
int Table::position() const
{
    return d->state == State::Inactive ? -1 : d->pos;
}

void Table::moveTo(int position)
{
    d->requireOpen();
    d->postPending();
    if (d->count() == 0)
        return;
    d->pos = std::clamp(position, 0, d->count() - 1);
    d->eof = d->bof = false;
    d->currentMoved();
}

Bookmark Table::bookmark() const
{
    d->requireOpen();
    return d->pos >= 0 ? d->currentRecno() : Bookmark(-1);
}

Bookmark Table::lastAppended() const
{
    d->requireOpen();
    return d->lastAppended;
}

bool Table::bookmarkValid(Bookmark bookmark) const
{
    if (d->state == State::Inactive || bookmark >= d->file->recordCount())
        return false;
    bool found = false;
    d->positionOf(bookmark, &found);
    return found;
}

void Table::gotoBookmark(Bookmark bookmark)
{
    d->requireOpen();
    d->postPending();
    if (d->count() == 0)
        return;
    if (bookmark >= d->file->recordCount())
        throw EngineError(u"Record not found"_s);
    d->pos = std::min(d->positionOf(bookmark), d->count() - 1);
    d->eof = d->bof = false;
    d->currentMoved();
}

void Table::disableControls()
{
    ++d->disableCount;
}

void Table::enableControls()
{
    if (d->disableCount == 0)
        return;
    if (--d->disableCount == 0) {
        d->aboutToReset();
        d->resetDone();
    }
}

bool Table::controlsDisabled() const
{
    return d->disableCount > 0;
}

void Table::addObserver(TableObserver* observer)
{
    d->observers.push_back(observer);
}
void Table::removeObserver(TableObserver* observer)
{
    std::erase(d->observers, observer);
}

void Table::edit()
{
    d->requireOpen();
    if (d->state == State::Edit || d->state == State::Insert)
        return;
    if (d->count() == 0 || d->pos < 0)
        throw EngineError(u"Cannot edit an empty dataset"_s);
    d->requireWritable();
    d->addMissingFields();
    const char* row = d->file->record(d->currentRecno());
    d->buffer.assign(row, row + d->file->recordLength());
    d->modified = false;
    d->state = State::Edit;
}

void Table::append()
{
    d->requireOpen();
    d->postPending();
    d->requireWritable();
    d->addMissingFields();
    d->buffer.assign(static_cast<std::size_t>(d->file->recordLength()), ' ');
    for (const FieldDef& f : d->file->fields())
        codec::clear(f, d->buffer.data());
    d->modified = true;
    d->state = State::Insert;
}

void Table::post()
{
    d->requireOpen();
    d->postPending();
}

void Table::cancel()
{
    d->requireOpen();
    if (d->state == State::Edit || d->state == State::Insert) {
        d->state = State::Browse;
        d->buffer.clear();
    }
}

void Table::deleteRow()
{
    d->requireOpen();
    d->postPending();
    if (d->count() == 0 || d->pos < 0)
        throw EngineError(u"Cannot delete from an empty dataset"_s);
    d->requireWritable();
    d->addMissingFields();
    const std::uint32_t recno = d->currentRecno();
    std::vector<char> row(d->file->record(recno), d->file->record(recno) + d->file->recordLength());
    row[0] = '*';
    // The file first: when the write fails, the index and the presented rows are untouched.
    d->file->write(recno, row.data());
    d->aboutToReset();
    d->index->remove(recno, row.data());
    std::erase(d->filteredRows, recno);
    // With no follower the cursor stays on the new last row at the end of the table, so that a
    // walk deleting as it goes ends there.
    d->eof = d->pos >= d->count();
    d->bof = d->count() == 0;
    d->pos = d->count() == 0 ? -1 : std::min(d->pos, d->count() - 1);
    d->resetDone();
}

void Table::refresh()
{
    d->requireOpen();
    // This program is the table's only writer (the lock sees to that) and keeps the index and
    // the presented rows current at every post, so there is nothing else to re-read.
    d->postPending();
}

int Table::fieldCount() const
{
    return d->file ? static_cast<int>(d->file->fields().size()) : 0;
}

const FieldDef& Table::fieldDef(int index) const
{
    return d->file->fields()[static_cast<std::size_t>(index)];
}

int Table::fieldIndex(const QString& name) const
{
    if (!d->file)
        return -1;
    const auto& fields = d->file->fields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    // Level-3/4/5 files hold at most ten characters of a name ("OMSCHRIJVI").
    if (d->file->level() != 7 && name.size() > 10)
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i].name.size() == 10 &&
                name.left(10).compare(fields[i].name, Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
    return -1;
}

Field Table::fieldByName(const QString& name)
{
    d->requireOpen();
    const int i = fieldIndex(name);
    if (i < 0)
        throw EngineError(u"Field '%1' not found"_s.arg(name));
    return Field(this, i);
}

RowView Table::rowAt(int position) const
{
    return RowView(d->file->record(d->presented()[static_cast<std::size_t>(position)]),
                   &d->file->fields());
}

Bookmark Table::bookmarkAt(int position) const
{
    return d->presented()[static_cast<std::size_t>(position)];
}

int Table::storedRowCount() const
{
    d->requireOpen();
    return static_cast<int>(d->index->order().size());
}

RowView Table::storedRowAt(int position) const
{
    return RowView(d->file->record(d->index->order()[static_cast<std::size_t>(position)]),
                   &d->file->fields());
}

Bookmark Table::storedBookmarkAt(int position) const
{
    return d->index->order()[static_cast<std::size_t>(position)];
}

RowView Table::recordAt(Bookmark bookmark) const
{
    d->requireOpen();
    if (bookmark >= d->file->recordCount())
        throw EngineError(u"Record not found"_s);
    return RowView(d->file->record(bookmark), &d->file->fields());
}

RowView Table::currentRow() const
{
    d->requireOpen();
    if (d->state == State::Edit || d->state == State::Insert)
        return RowView(d->buffer.data(), &d->file->fields());
    if (d->pos < 0 || d->count() == 0)
        return RowView(nullptr, &d->file->fields());
    return RowView(d->file->record(d->currentRecno()), &d->file->fields());
}

} // namespace dbase
