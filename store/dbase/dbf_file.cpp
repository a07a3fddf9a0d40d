#include "store/dbase/dbf_file.h"

#include "store/dbase/atomic_create.h"
#include "store/dbase/engine_error.h"
#include "store/dbase/field_codec.h"
#include "store/dbase/file_lock.h"
#include "store/dbase/file_sync.h"
#include "store/dbase/little_endian.h"
#include "store/dbase/regular_file.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/mman.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace dbase {
namespace {

constexpr char kHeaderEnd = 0x0D;
// The bytes of the header that change with every row: version, update date, record count.
constexpr std::size_t kMappedHeaderSize = 8;
constexpr char kEndOfFile = 0x1A;
constexpr unsigned char kLanguageDriverWin1252 = 0x57;
constexpr int kLevel7HeaderSize = 68;
constexpr int kLevel7DescriptorSize = 48;
constexpr int kLevel3DescriptorSize = 32;

void putToday(char* p)
{
    const QDate today = QDate::currentDate();
    p[0] = static_cast<char>(today.year() - 1900);
    p[1] = static_cast<char>(today.month());
    p[2] = static_cast<char>(today.day());
}

} // namespace

void DbfFile::create(const QString& path, const std::vector<FieldDef>& fields)
{
    const int n = static_cast<int>(fields.size());
    const int headerLength = kLevel7HeaderSize + kLevel7DescriptorSize * n + 1;
    int recordLength = 1;
    for (const FieldDef& f : fields)
        recordLength += f.width;

    QByteArray bytes(headerLength + 1, '\0');
    char* h = bytes.data();
    h[0] = 0x04; // level 7, no memo
    putToday(h + 1);
    le::putU16(h + 8, static_cast<quint16>(headerLength));
    le::putU16(h + 10, static_cast<quint16>(recordLength));
    h[29] = static_cast<char>(kLanguageDriverWin1252);
    std::memcpy(h + 32, "DBWINUS0", 8);
    for (int i = 0; i < n; ++i) {
        char* d = h + kLevel7HeaderSize + kLevel7DescriptorSize * i;
        const QByteArray name = fields[i].name.toLatin1().left(31);
        std::memcpy(d, name.constData(), static_cast<std::size_t>(name.size()));
        d[32] = fields[i].type;
        d[33] = static_cast<char>(fields[i].width);
        d[34] = static_cast<char>(fields[i].decimals);
    }
    h[headerLength - 1] = kHeaderEnd;
    h[headerLength] = kEndOfFile;

    if (const QString error = createFileAtomically(path, bytes); !error.isEmpty())
        throw EngineError(u"Cannot create table %1: %2"_s.arg(path, error));
}

DbfFile::DbfFile(const QString& path, Access access) : m_path(path)
{
    putToday(m_today);
    openAndLock(access);
    const qint64 fileSize = m_file.size();
    const QByteArray bytes = m_file.readAll();
    if (bytes.size() != fileSize)
        throw EngineError(u"Cannot read table %1: %2"_s.arg(path, m_file.errorString()));
    m_layout = DbfLayout::read(bytes.constData(), fileSize, path);
    if (!m_layout.codePage) {
        const QString driver = QString::number(m_layout.languageDriver, 16).toUpper();
        m_layout.warnings << u"Table %1 is stored in a code page this program cannot write "
                             u"(language driver 0x%2): it is opened read-only"_s.arg(path, driver);
        if (writable())
            m_readOnlyReason = u"its code page (language driver 0x%1) is not one this program "
                               u"can write"_s.arg(driver);
    }
    m_header = bytes.left(m_layout.descriptorsEnd + 1);
    m_count = m_layout.count;
    const char* rows = bytes.constData() + m_layout.headerLength;
    m_rows.assign(rows, std::size_t(m_count) * m_layout.recordLength);
    mapHeader();
}

void DbfFile::mapHeader()
{
#ifdef Q_OS_UNIX
    if (writable()) {
        void* mapped = ::mmap(nullptr, kMappedHeaderSize, PROT_READ | PROT_WRITE, MAP_SHARED,
                              m_file.handle(), 0);
        if (mapped != MAP_FAILED)
            m_mappedHeader = static_cast<char*>(mapped);
    }
#endif
}

void DbfFile::unmapHeader()
{
#ifdef Q_OS_UNIX
    if (m_mappedHeader)
        ::munmap(m_mappedHeader, kMappedHeaderSize);
#endif
    m_mappedHeader = nullptr;
}

void DbfFile::openAndLock(Access access)
{
    m_access = access;
    const bool wantWrite = access != Access::Read;
    OpenedFile opened = openRegularFile(m_path, wantWrite);
    if (wantWrite && opened.status == OpenedFile::Status::Failed &&
        (opened.error == EACCES || opened.error == EPERM || opened.error == EROFS)) {
        opened = openRegularFile(m_path, false);
        m_readOnlyReason = u"the file is read-only"_s;
    } else if (!wantWrite) {
        m_readOnlyReason = u"it is opened for reading only"_s;
    }
    switch (opened.status) {
    case OpenedFile::Status::Opened:
        break;
    case OpenedFile::Status::Directory:
    case OpenedFile::Status::NotRegular:
        throw EngineError(u"Cannot open table %1: it is not a regular file"_s.arg(m_path));
    case OpenedFile::Status::Failed:
        if (opened.error == ENOENT)
            throw EngineError(u"Table does not exist: %1"_s.arg(m_path));
        throw EngineError(u"Cannot open table %1: %2"_s.arg(m_path, systemErrorText(opened.error)));
    }
    if (!m_file.open(opened.fd,
                     writable() ? QIODevice::ReadWrite | QIODevice::Unbuffered
                                : QIODevice::ReadOnly | QIODevice::Unbuffered,
                     QFileDevice::AutoCloseHandle)) {
        throw EngineError(u"Cannot open table %1: %2"_s.arg(m_path, m_file.errorString()));
    }

    const auto inUse = [this] {
        const qint64 holder = WriterLock::holder(m_path);
        return EngineError(
            holder > 0
                ? u"Table %1 is in use by another program (process %2)"_s.arg(m_path).arg(holder)
                : u"Table %1 is in use by another program"_s.arg(m_path));
    };
    if (writable()) {
        switch (m_writerLock.acquire(m_path)) {
        case WriterLock::Result::Locked:
            break;
        case WriterLock::Result::InUse:
            throw inUse();
        case WriterLock::Result::FolderReadOnly:
            m_readOnlyReason = u"the folder is read-only, so no lock file can keep other programs "
                               u"from writing it at the same time"_s;
            break;
        case WriterLock::Result::Failed:
            m_readOnlyReason = m_writerLock.error();
            break;
        case WriterLock::Result::Unsupported:
            m_readOnlyReason = u"its file system cannot lock it against other programs"_s;
            break;
        }
    }
    // Readers and the writer share the file; emptying it takes it for itself.
    if (filelock::tryLock(m_file.handle(), access == Access::WriteExclusive) ==
        filelock::Result::InUse)
        throw inUse();
}

DbfFile::~DbfFile()
{
    unmapHeader();
}

void DbfFile::beforeWrite()
{
    if (!writable())
        throw EngineError(u"Cannot write to table %1: %2"_s.arg(m_path, m_readOnlyReason));
    m_unsynced = true;
    if (m_touched)
        return;
    // This engine does not maintain the .MDX (it rebuilds its indexes from the rows), so from
    // the first change on other dBase tools must no longer trust the index file or its tags.
    QByteArray header = m_header;
    header[28] = 0;
    for (int offset : m_layout.indexFlagOffsets)
        header[offset] = 0;
    std::memcpy(header.data() + 1, m_today, 3);
    le::putU32(header.data() + 4, m_count);
    writeAt(0, header.constData(), header.size());
    m_touched = true;
}

void DbfFile::writeAt(qint64 offset, const char* bytes, qint64 size)
{
#ifdef Q_OS_UNIX
    // A large write may be split by the system; what it took is not written again.
    while (size > 0) {
        const ssize_t written = ::pwrite(m_file.handle(), bytes, static_cast<size_t>(size), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw EngineError(u"Cannot write to table %1: %2"_s.arg(
                m_path, systemErrorText(written < 0 ? errno : ENOSPC)));
        bytes += written;
        offset += written;
        size -= written;
    }
#else
    if (!m_file.seek(offset) || m_file.write(bytes, size) != size)
        throw EngineError(u"Cannot write to table %1: %2"_s.arg(m_path, m_file.errorString()));
#endif
}

void DbfFile::writeHeaderCount()
{
    char head[8];
    head[0] = m_layout.versionByte; // written back as the file has it: the table keeps its level
    std::memcpy(head + 1, m_today, 3);
    le::putU32(head + 4, m_count);
#ifdef Q_OS_UNIX
    if (m_mappedHeader) {
        // The mapping shares the file's cached page: other readers see the count at once, and
        // it reaches the disk exactly as a write would, without a system call per row.
        std::memcpy(m_mappedHeader, head, sizeof head);
        return;
    }
#endif
    writeAt(0, head, sizeof head);
}

std::uint32_t DbfFile::append(const char* bytes)
{
    beforeWrite();
    const int length = m_layout.recordLength;
    const qint64 offset = m_layout.headerLength + qint64(m_count) * length;
    // The row and the end marker after it in one write.
    m_appendBuffer.assign(bytes, bytes + length);
    m_appendBuffer.push_back(kEndOfFile);
    writeAt(offset, m_appendBuffer.data(), static_cast<qint64>(m_appendBuffer.size()));
    m_rows.append(bytes, std::size_t(length));
    ++m_count;
    writeHeaderCount();
    return m_count - 1;
}

void DbfFile::write(std::uint32_t recno, const char* bytes)
{
    beforeWrite();
    const int length = m_layout.recordLength;
    if (m_holding) {
        m_held.push_back(recno);
    } else {
        writeAt(m_layout.headerLength + qint64(recno) * length, bytes, length);
    }
    std::memcpy(m_rows.data() + std::size_t(recno) * length, bytes, std::size_t(length));
}

void DbfFile::writeHeld()
{
    m_holding = false;
    std::vector<std::uint32_t> held;
    held.swap(m_held); // a failed write is reported once, not again at the next sync
    std::sort(held.begin(), held.end());
    held.erase(std::unique(held.begin(), held.end()), held.end());
    const qint64 length = m_layout.recordLength;
    for (std::size_t first = 0; first < held.size();) {
        std::size_t last = first;
        while (last + 1 < held.size() && held[last + 1] == held[last] + 1)
            ++last;
        writeAt(m_layout.headerLength + qint64(held[first]) * length, record(held[first]),
                qint64(last - first + 1) * length);
        first = last + 1;
    }
}

void DbfFile::truncate()
{
    beforeWrite();
    const char end = kEndOfFile;
    writeAt(m_layout.headerLength, &end, 1);
    if (!m_file.resize(m_layout.headerLength + 1))
        throw EngineError(u"Cannot write to table %1: %2"_s.arg(m_path, m_file.errorString()));
    m_rows.clear();
    m_held.clear();
    m_count = 0;
    writeHeaderCount();
}

void DbfFile::sync()
{
    writeHeld();
    if (!m_unsynced)
        return;
    // The mapped header shares the file's cached page, so this takes the record count along.
    if (const int error = syncToDisk(m_file.handle()); error != 0)
        throw EngineError(u"Cannot write to table %1: %2"_s.arg(m_path, systemErrorText(error)));
    m_unsynced = false;
}

bool DbfFile::compact()
{
    sync();
    const std::size_t length = std::size_t(m_layout.recordLength);
    RowBytes live;
    live.reserve(m_rows.size());
    std::uint32_t kept = 0;
    for (std::uint32_t r = 0; r < m_count; ++r)
        if (!isDeleted(r)) {
            live.append(record(r), length);
            ++kept;
        }
    if (kept == m_count)
        return false;
    if (!writable())
        throw EngineError(u"Cannot write to table %1: %2"_s.arg(m_path, m_readOnlyReason));

    // The header as the file has it, up to the first record, with the count and date of now
    // and the index flags cleared, as the first write of any kind leaves them.
    QByteArray bytes(m_layout.headerLength, '\0');
    if (!m_file.seek(0) || m_file.read(bytes.data(), bytes.size()) != bytes.size())
        throw EngineError(u"Cannot read table %1: %2"_s.arg(m_path, m_file.errorString()));
    bytes[28] = 0;
    for (int offset : m_layout.indexFlagOffsets)
        bytes[offset] = 0;
    std::memcpy(bytes.data() + 1, m_today, 3);
    le::putU32(bytes.data() + 4, kept);
    bytes.append(live.data(), qsizetype(live.size()));
    bytes.append(kEndOfFile);

    replaceWhole(bytes);
    m_rows = std::move(live);
    m_count = kept;
    m_touched = true;
    m_unsynced = false;
    return true;
}

QString DbfFile::backupPath(const QString& path)
{
    const QFileInfo info(path);
    const QDir folder = info.absoluteDir();
    const QString base = info.completeBaseName();
    QString candidate = folder.filePath(base + u".BAK"_s);
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = folder.filePath(u"%1.%2.BAK"_s.arg(base).arg(n));
    return candidate;
}

QByteArray DbfFile::wholeFile()
{
    const qint64 fileSize = m_file.size();
    if (!m_file.seek(0))
        throw EngineError(u"Cannot read table %1: %2"_s.arg(m_path, m_file.errorString()));
    const QByteArray bytes = m_file.readAll();
    if (bytes.size() != fileSize)
        throw EngineError(u"Cannot read table %1: %2"_s.arg(m_path, m_file.errorString()));
    return bytes;
}

RowBytes DbfFile::widenedRows(const std::vector<FieldDef>& fields, int recordLength) const
{
    // Every record with the new fields empty, as a new row has them.
    std::vector<char> row(static_cast<std::size_t>(recordLength), ' ');
    for (std::size_t i = m_layout.fields.size(); i < fields.size(); ++i)
        codec::clear(fields[i], row.data());
    const std::size_t oldLength = std::size_t(m_layout.recordLength);
    RowBytes rows;
    rows.reserve(std::size_t(m_count) * row.size());
    for (std::uint32_t r = 0; r < m_count; ++r) {
        std::memcpy(row.data(), record(r), oldLength);
        rows.append(row.data(), row.size());
    }
    return rows;
}

QString DbfFile::addFields(const std::vector<FieldDef>& added)
{
    sync();
    if (!writable())
        throw EngineError(u"Cannot write to table %1: %2"_s.arg(m_path, m_readOnlyReason));
    // The backup is the file byte for byte, whatever this engine made of it.
    const QByteArray old = wholeFile();

    // The descriptors follow the file's own level; what lies between the end marker and the
    // first record stays as it is.
    const bool level7 = m_layout.level == 7;
    const int descriptorSize = level7 ? kLevel7DescriptorSize : kLevel3DescriptorSize;
    QByteArray header = old.left(m_layout.descriptorsEnd);
    std::vector<FieldDef> fields = m_layout.fields;
    std::vector<int> flagOffsets = m_layout.indexFlagOffsets;
    int recordLength = m_layout.recordLength;
    for (FieldDef f : added) {
        QByteArray d(descriptorSize, '\0');
        const QByteArray name = f.name.toLatin1().left(level7 ? 31 : 10);
        std::memcpy(d.data(), name.constData(), static_cast<std::size_t>(name.size()));
        d[level7 ? 32 : 11] = f.type;
        d[level7 ? 33 : 16] = static_cast<char>(f.width);
        d[level7 ? 34 : 17] = static_cast<char>(f.decimals);
        flagOffsets.push_back(static_cast<int>(header.size()) + (level7 ? 37 : 31));
        header += d;
        f.offset = recordLength;
        f.codePage = m_layout.codePage.value_or(CodePage::Windows1252);
        recordLength += f.width;
        fields.push_back(f);
    }
    const int descriptorsEnd = static_cast<int>(header.size());
    header += kHeaderEnd;
    header +=
        old.mid(m_layout.descriptorsEnd + 1, m_layout.headerLength - m_layout.descriptorsEnd - 1);
    if (header.size() > 0xFFFF || recordLength > 0xFFFF)
        throw EngineError(u"Cannot add fields to table %1: its header or rows would grow past "
                          u"the format's limit"_s.arg(m_path));
    char* h = header.data();
    h[28] = 0;
    for (int offset : flagOffsets)
        h[offset] = 0;
    std::memcpy(h + 1, m_today, 3);
    le::putU32(h + 4, m_count);
    le::putU16(h + 8, static_cast<quint16>(header.size()));
    le::putU16(h + 10, static_cast<quint16>(recordLength));

    RowBytes rows = widenedRows(fields, recordLength);
    QByteArray bytes = header;
    bytes.append(rows.data(), qsizetype(rows.size()));
    bytes.append(kEndOfFile);

    const QString backup = backupPath(m_path);
    if (const QString error = createFileAtomically(backup, old); !error.isEmpty())
        throw EngineError(
            u"Cannot write the backup %1 of table %2: %3"_s.arg(backup, m_path, error));
    replaceWhole(bytes);
    m_layout.fields = std::move(fields);
    m_layout.indexFlagOffsets = std::move(flagOffsets);
    m_layout.recordLength = recordLength;
    m_layout.headerLength = static_cast<int>(header.size());
    m_layout.descriptorsEnd = descriptorsEnd;
    m_header = header.left(descriptorsEnd + 1);
    m_rows = std::move(rows);
    m_touched = true;
    m_unsynced = false;
    return backup;
}

void DbfFile::replaceWhole(const QByteArray& bytes)
{
    // Windows cannot replace a file that is open; the writer's lock file stays held throughout.
    unmapHeader();
    m_file.close();
    const QString error = replaceFileAtomically(m_path, bytes);
    reopenAfterReplace();
    if (!error.isEmpty())
        throw EngineError(u"Cannot write to table %1: %2"_s.arg(m_path, error));
}

void DbfFile::reopenAfterReplace()
{
    const OpenedFile opened = openRegularFile(m_path, true);
    if (opened.status != OpenedFile::Status::Opened ||
        !m_file.open(opened.fd, QIODevice::ReadWrite | QIODevice::Unbuffered,
                     QFileDevice::AutoCloseHandle))
        throw EngineError(u"Cannot open table %1: %2"_s.arg(m_path, systemErrorText(opened.error)));
    if (filelock::tryLock(m_file.handle(), m_access == Access::WriteExclusive) ==
        filelock::Result::InUse)
        throw EngineError(u"Table %1 is in use by another program"_s.arg(m_path));
    mapHeader();
}

} // namespace dbase
