#pragma once

#include "store/dbase/dbf_layout.h"
#include "store/dbase/field_def.h"
#include "store/dbase/file_lock.h"
#include "store/dbase/row_bytes.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace dbase {

// One .DBF file: header, field descriptors and every record, held in memory. Records are
// numbered from 0 here. Opening never writes: the first write of any kind stores the header
// (date, count, production-index flags cleared), and every later write goes to the file at once;
// the header's record count follows each appended record.
class DbfFile
{
public:
    enum class Access
    {
        Read,           // never writes any file; other programs may read and write meanwhile
        Write,          // the only writer; other programs may still read
        WriteExclusive, // the only program that has the file open
    };

    // Writes a new, empty level-7 table (Windows-1252, no production index), completely or not
    // at all; never over an existing file. Throws EngineError.
    static void create(const QString& path, const std::vector<FieldDef>& fields);

    // Opens a regular file, locks it for `access` and reads it whole. With Access::Write a file
    // that cannot be written (its permissions, a code page the engine cannot write) is still
    // opened, and every write throws saying why. Throws EngineError naming the file when it is
    // missing, in use by another program, not a dBase table, or damaged beyond safe reading.
    DbfFile(const QString& path, Access access);
    ~DbfFile();
    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;

    const QString& path() const { return m_path; }
    int level() const { return m_layout.level; }
    const std::vector<FieldDef>& fields() const { return m_layout.fields; }
    int recordLength() const { return m_layout.recordLength; }
    std::uint32_t recordCount() const { return m_count; }
    bool writable() const { return m_readOnlyReason.isEmpty(); }
    // Why the table is not written; empty when it is writable.
    const QString& readOnlyReason() const { return m_readOnlyReason; }
    // What the user must be told about the opened file: rows lost to damage, a code page it
    // cannot write ...
    const QStringList& warnings() const { return m_layout.warnings; }

    const char* record(std::uint32_t recno) const
    {
        return m_rows.data() + std::size_t(recno) * m_layout.recordLength;
    }
    bool isDeleted(std::uint32_t recno) const { return *record(recno) == '*'; }

    // Stores a record (recordLength bytes, deletion flag first) at the end; returns its number.
    std::uint32_t append(const char* bytes);
    void write(std::uint32_t recno, const char* bytes);
    // Until the next sync, write() keeps the records it changes in memory only; the sync writes
    // them in file order, neighbouring records in one write. A walk over many rows then costs a
    // few writes instead of one per row. Appends still reach the file at once.
    void holdWritesUntilSync() { m_holding = true; }
    // Removes every record.
    void truncate();
    // Makes every write since the last sync reach the disk, held records included; does nothing
    // when there was none.
    void sync();
    // Writes the file anew without its deleted records, which then no longer cost memory and
    // reading time at every open; the new file takes the old one's place in one step, so a
    // program killed meanwhile leaves either whole. Records are renumbered. Returns false (and
    // writes nothing) when no record is deleted.
    bool compact();
    // Writes the file anew with `added` after its own fields, empty in every record, and keeps
    // the file as it was under a backup name beside it (backupPath). The backup is complete and
    // on the disk before the new file takes the table's name in one step, so a program killed
    // at any moment leaves one whole table under that name. Returns the backup's path.
    QString addFields(const std::vector<FieldDef>& added);
    // "mutaties.BAK" beside "mutaties.DBF"; when that exists, "mutaties.2.BAK", and so on: an
    // earlier backup is never replaced.
    static QString backupPath(const QString& path);

private:
    void openAndLock(Access access);
    QByteArray wholeFile(); // the file's bytes as they are on the disk
    // The records with the fields past the file's own ones added, empty.
    RowBytes widenedRows(const std::vector<FieldDef>& fields, int recordLength) const;
    // Puts `bytes` in the file's place in one step and opens the new file.
    void replaceWhole(const QByteArray& bytes);
    void reopenAfterReplace();
    void mapHeader();
    void unmapHeader();
    void beforeWrite();
    void writeAt(qint64 offset, const char* bytes, qint64 size);
    void writeHeld();
    void writeHeaderCount();

    QString m_path;
    QFile m_file;
    QString m_readOnlyReason;
    Access m_access = Access::Read;
    WriterLock m_writerLock;        // released before the file closes
    bool m_touched = false;         // written since open
    bool m_unsynced = false;        // written since the last sync
    char m_today[3] = {0, 0, 0};    // the update date, taken once at open
    char* m_mappedHeader = nullptr; // the record count's bytes, mapped (POSIX)
    QByteArray m_header;            // the header and field list as read
    DbfLayout m_layout;
    std::uint32_t m_count = 0;
    RowBytes m_rows;
    std::vector<char> m_appendBuffer;
    bool m_holding = false;
    std::vector<std::uint32_t> m_held; // records changed in memory, not yet written
};

} // namespace dbase
