#pragma once

#include "store/dbase/field_def.h"

#include <QFile>
#include <QString>
#include <cstdint>
#include <vector>

namespace dbase {

// One .DBF file: header, field descriptors and every record, held in memory. Records are
// numbered from 0 here. Every write goes to the file at once; the header's record count
// follows each appended record.
class DbfFile
{
public:
    // Writes a new, empty level-7 table (Windows-1252, no production index). Throws EngineError.
    static void create(const QString& path, const std::vector<FieldDef>& fields);

    // Reads the whole file. A record count that disagrees with the file length is repaired from
    // the length (and written back when the file is writable). Without `allowWrite` the file is
    // only read, and every write throws. Throws EngineError naming the file when it is not a
    // dBase table or is damaged.
    DbfFile(const QString& path, bool allowWrite);
    ~DbfFile();
    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;

    const QString& path() const { return m_path; }
    int level() const { return m_level; }
    const std::vector<FieldDef>& fields() const { return m_fields; }
    int recordLength() const { return m_recordLength; }
    std::uint32_t recordCount() const { return m_count; }
    bool writable() const { return m_writable; }

    const char* record(std::uint32_t recno) const
    {
        return m_rows.data() + std::size_t(recno) * m_recordLength;
    }
    bool isDeleted(std::uint32_t recno) const { return *record(recno) == '*'; }

    // Stores a record (recordLength bytes, deletion flag first) at the end; returns its number.
    std::uint32_t append(const char* bytes);
    void write(std::uint32_t recno, const char* bytes);
    // Removes every record.
    void truncate();
    void sync();

private:
    void parseHeader(const QByteArray& head, qint64 fileSize);
    void writeAt(qint64 offset, const char* bytes, qint64 size);
    void writeHeaderCount();
    [[noreturn]] void damaged(const QString& what) const;

    QString m_path;
    QFile m_file;
    bool m_writable = false;
    bool m_touched = false;         // written since open
    bool m_productionIndex = false; // header byte 28 as found
    char m_today[3] = {0, 0, 0};    // the update date, taken once at open
    char* m_mappedHeader = nullptr; // the record count's bytes, mapped (POSIX)
    int m_level = 7;
    char m_versionByte = 0x04;
    int m_headerLength = 0;
    int m_recordLength = 0;
    std::uint32_t m_count = 0;
    std::vector<FieldDef> m_fields;
    std::vector<char> m_rows;
    std::vector<char> m_appendBuffer;
};

} // namespace dbase
