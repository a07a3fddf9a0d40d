#pragma once

#include "store/dbase/field_def.h"
#include "store/dbase/row_view.h"
#include "store/dbase/table_definition.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace dbase {

class DbfFile;
class Index;
class Table;
class TableObserver;

using RowPredicate = std::function<bool(const RowView&)>;
using Bookmark = std::uint32_t; // a record number; stays valid while the table is open

// The field of the current row (the pending row while editing or appending).
class Field
{
public:
    Field(Table* table, int index) : m_table(table), m_index(index) {}

    QString name() const;
    DataType dataType() const;
    int size() const; // characters of a text field

    bool isNull() const;
    QString asString() const;
    double asFloat() const;
    qint64 asInteger() const;
    QDate asDate() const;
    bool asBoolean() const;

    // Require the table to be in edit or append state. Text is cut to the field size; text
    // written to a number field is converted ("'x' is not a valid integer value" when it is not).
    void setAsString(const QString& value);
    void setAsFloat(double value);
    void setAsInteger(qint64 value);
    void setAsDate(const QDate& value); // an invalid date empties the field
    void setAsBoolean(bool value);
    void clear();

    int index() const { return m_index; }

private:
    Table* m_table;
    int m_index;
};

// A dBase table with a cursor over its presented rows: the live rows in the order of the active
// index (equal keys in record order), less the rows that an installed predicate rejects while
// filtering is on. Every row is held in memory; every posted row reaches the file at once.
class Table
{
public:
    enum class State
    {
        Inactive,
        Browse,
        Edit,
        Insert
    };

    Table();
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // Configuration, while closed.
    void setDefinition(const TableDefinition& definition);
    const TableDefinition& definition() const;
    void setDirectory(const QString& directory); // folder of the table file
    QString directory() const;
    QString filePath() const;
    void setIndexName(const QString& indexName); // active index; empty: record order
    QString indexName() const;
    void setExclusive(bool exclusive);
    bool exclusive() const;
    // A read-only table is shared with other readers, is never created, and no file is written
    // while it is open (no header repair, no lock file); edits and appends throw.
    void setReadOnly(bool readOnly);
    bool readOnly() const;

    // A table without a file, for tests of the logic above the engine.
    static std::unique_ptr<Table> createInMemory(const TableDefinition& definition,
                                                 const QString& indexName);

    // Opens the file, whatever the case of its name; unless read-only, creates it (and its
    // folder) with the definition when missing. Reads every row and builds the active index.
    // Throws EngineError when the folder is no usable path, the file is missing (read-only),
    // is in use by another program, is damaged, or lacks a required field.
    void open();
    // Posts a pending row, flushes and closes. Closing a closed table does nothing.
    void close();
    bool isOpen() const;
    // What the open table's file made known that the user must read (rows lost to damage, a
    // code page it cannot write); empty for a sound file.
    QStringList warnings() const;
    State state() const;

    // Requires an open exclusive table: removes every row from the file and the indexes.
    void emptyTable();
    // Posts a pending row and waits until every row written since the last flush is on the disk,
    // header included (a power failure afterwards loses none of them). Cheap when nothing was
    // written. The end of every action that writes calls it before the action reports success.
    void flush();
    // Until the next flush or close, rewritten rows stay in memory (where every read of this
    // program already finds them) and reach the file together then, neighbours in one write:
    // for a walk that rewrites many rows. Appends still reach the file at once.
    void holdWritesUntilFlush();
    // Requires an open writable table: flushes, then writes the file anew without its deleted
    // rows (whole or not at all: a program killed meanwhile leaves the old file or the new one).
    // Bookmarks are void afterwards; the first row becomes current. Does nothing when no row
    // is deleted.
    void pack();

    // Filtering: with the switch on and a predicate installed only accepted rows are presented.
    void setFiltered(bool filtered);
    bool filtered() const;
    void setFilterPredicate(RowPredicate predicate);
    void clearFilterPredicate();
    bool hasFilterPredicate() const;
    const RowPredicate& filterPredicate() const; // empty when none is installed

    int recordCount() const; // presented rows

    // Nearest-key search on the active index: the first presented row whose key equals the value
    // or sorts after it becomes current; when none, the last row.
    void findNearest(const QString& key);
    void findNearest(const QDate& key);
    void findNearest(double key);

    void first();
    void last();
    void next();  // on the last row: sets eof, the row stays current
    void prior(); // on the first row: sets bof
    bool eof() const;
    bool bof() const;
    bool isEmpty() const;
    int position() const; // of the current row among the presented rows; -1 when none
    void moveTo(int position);

    Bookmark bookmark() const;
    // The row the last append stored, presented or not (a filter may hide it).
    Bookmark lastAppended() const;
    void gotoBookmark(Bookmark bookmark); // to that row, or the nearest presented one
    bool bookmarkValid(Bookmark bookmark) const;

    // Controls bound to the table stop following it until enabled again (calls nest).
    void disableControls();
    void enableControls();
    bool controlsDisabled() const;
    void addObserver(TableObserver* observer);
    void removeObserver(TableObserver* observer);

    void edit();   // current row into edit
    void append(); // posts a pending row, starts an empty row
    void post();   // stores a pending row; the cursor stays on it at its place in index order
    void cancel();
    // Marks the current row deleted (the dBase deletion flag, written at once) and presents the
    // rows without it; the row that followed it becomes current. Requires a presented row.
    void deleteRow();
    void refresh(); // posts a pending row; the rows are presented in index order at every post

    int fieldCount() const;
    const FieldDef& fieldDef(int index) const;
    int fieldIndex(const QString& name) const; // case ignored; -1 when absent
    Field fieldByName(const QString& name);    // throws "Field 'x' not found"
    Field field(int index) { return Field(this, index); }

    // The presented row at a position, for grids; does not move the cursor. Requires an open
    // table and 0 <= position < recordCount().
    RowView rowAt(int position) const;
    Bookmark bookmarkAt(int position) const; // of the presented row at a position
    // Every live row in the order of the active index, whatever the filter presents: for what
    // describes the whole table (the years it holds). Requires an open table.
    int storedRowCount() const;
    RowView storedRowAt(int position) const;       // 0 <= position < storedRowCount()
    Bookmark storedBookmarkAt(int position) const; // of that row
    // The row of a record number (a bookmark) whatever the filter presents, without moving the
    // cursor: for lists of rows picked elsewhere. Throws EngineError when there is no such record.
    RowView recordAt(Bookmark bookmark) const;
    RowView currentRow() const; // the pending row while editing or appending

private:
    friend class Field;
    char* writableRow(); // the pending row, for Field's writers
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace dbase
