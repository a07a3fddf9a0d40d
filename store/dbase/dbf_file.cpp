#include "store/dbase/dbf_file.h"

#include "store/dbase/engine_error.h"

#include <QDate>
#include <QSaveFile>
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
const char* const kKnownTypes = "CDNFLIOM+@BG";

quint32 readU32(const char* p)
{
    return quint32(quint8(p[0])) | quint32(quint8(p[1])) << 8 | quint32(quint8(p[2])) << 16 |
           quint32(quint8(p[3])) << 24;
}
quint16 readU16(const char* p)
{
    return quint16(quint8(p[0]) | quint8(p[1]) << 8);
}

void putU32(char* p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
void putU16(char* p, quint16 v)
{
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>(v >> 8);
}

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
    putU16(h + 8, static_cast<quint16>(headerLength));
    putU16(h + 10, static_cast<quint16>(recordLength));
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

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EngineError(u"Cannot create table %1: %2"_s.arg(path, file.errorString()));
}

DbfFile::DbfFile(const QString& path, bool allowWrite) : m_path(path), m_file(path)
{
    putToday(m_today);
    if (!m_file.exists())
        throw EngineError(u"Table does not exist: %1"_s.arg(path));
    m_writable = allowWrite && m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    if (!m_writable && !m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw EngineError(u"Cannot open table %1: %2"_s.arg(path, m_file.errorString()));
    const qint64 fileSize = m_file.size();
    const QByteArray bytes = m_file.readAll();
    if (bytes.size() != fileSize)
        throw EngineError(u"Cannot read table %1: %2"_s.arg(path, m_file.errorString()));
    parseHeader(bytes, fileSize);
#ifdef Q_OS_UNIX
    if (m_writable) {
        void* mapped = ::mmap(nullptr, kMappedHeaderSize, PROT_READ | PROT_WRITE, MAP_SHARED,
                              m_file.handle(), 0);
        if (mapped != MAP_FAILED)
            m_mappedHeader = static_cast<char*>(mapped);
    }
#endif
}

DbfFile::~DbfFile()
{
#ifdef Q_OS_UNIX
    if (m_mappedHeader)
        ::munmap(m_mappedHeader, kMappedHeaderSize);
#endif
}

void DbfFile::damaged(const QString& what) const
{
    throw EngineError(u"Table %1 is damaged: %2"_s.arg(m_path, what));
}

void DbfFile::parseHeader(const QByteArray& bytes, qint64 fileSize)
{
    const char* h = bytes.constData();
    if (fileSize < 32)
        damaged(u"the file is shorter than a table header"_s);
    const int levelBits = h[0] & 0x07;
    if (levelBits != 3 && levelBits != 4)
        throw EngineError(u"%1 is not a dBase table"_s.arg(m_path));
    if (h[15] != 0)
        throw EngineError(u"Table %1 is encrypted"_s.arg(m_path));
    m_level = levelBits == 4 ? 7 : 3;
    m_versionByte = h[0];
    m_productionIndex = h[28] != 0;
    m_headerLength = readU16(h + 8);
    m_recordLength = readU16(h + 10);
    const quint32 storedCount = readU32(h + 4);
    if (m_headerLength > fileSize)
        damaged(u"its header is longer than the file"_s);

    const int descriptorSize = m_level == 7 ? kLevel7DescriptorSize : kLevel3DescriptorSize;
    int pos = m_level == 7 ? kLevel7HeaderSize : 32;
    int offset = 1;
    while (pos < m_headerLength && h[pos] != kHeaderEnd) {
        if (pos + descriptorSize > m_headerLength)
            damaged(u"a field description runs past the header"_s);
        const char* d = h + pos;
        FieldDef f;
        const int nameSize = m_level == 7 ? 32 : 11;
        f.name = QString::fromLatin1(d, qstrnlen(d, nameSize)).trimmed();
        f.type = d[m_level == 7 ? 32 : 11];
        f.width = quint8(d[m_level == 7 ? 33 : 16]);
        f.decimals = quint8(d[m_level == 7 ? 34 : 17]);
        f.offset = offset;
        if (f.type == '\0' || !std::strchr(kKnownTypes, f.type))
            throw EngineError(u"Table %1 has field '%2' of unknown type '%3'"_s.arg(
                m_path, f.name, QString::fromLatin1(&f.type, 1)));
        if (f.width == 0)
            damaged(u"field '%1' has no width"_s.arg(f.name));
        offset += f.width;
        m_fields.push_back(f);
        pos += descriptorSize;
    }
    if (m_fields.empty())
        damaged(u"it has no fields"_s);
    if (offset != m_recordLength)
        damaged(u"the record length %1 does not match its fields (%2)"_s.arg(m_recordLength)
                    .arg(offset));

    // Rows that are wholly present. A crash between writing a row and its header count leaves
    // the count one short: such rows start with a live or deleted flag where a correct file has
    // its end marker, and are kept. A count larger than the file holds is cut to the whole rows.
    const qint64 available = (fileSize - m_headerLength) / m_recordLength;
    qint64 count = storedCount;
    if (count > available) {
        count = available;
    } else {
        while (count < available) {
            const char flag = h[m_headerLength + count * m_recordLength];
            if (flag != ' ' && flag != '*')
                break;
            ++count;
        }
    }
    m_count = static_cast<quint32>(count);
    const char* rows = h + m_headerLength;
    m_rows.assign(rows, rows + std::size_t(m_count) * m_recordLength);
    if (m_count != storedCount && m_writable)
        writeHeaderCount();
}

void DbfFile::writeAt(qint64 offset, const char* bytes, qint64 size)
{
    if (!m_writable)
        throw EngineError(u"Cannot write to table %1: the file is read-only"_s.arg(m_path));
#ifdef Q_OS_UNIX
    const ssize_t written = ::pwrite(m_file.handle(), bytes, static_cast<size_t>(size), offset);
    if (written != size)
        throw EngineError(u"Cannot write to table %1: %2"_s.arg(
            m_path, QString::fromLocal8Bit(std::strerror(written < 0 ? errno : ENOSPC))));
#else
    if (!m_file.seek(offset) || m_file.write(bytes, size) != size)
        throw EngineError(u"Cannot write to table %1: %2"_s.arg(m_path, m_file.errorString()));
#endif
}

void DbfFile::writeHeaderCount()
{
    char head[8];
    head[0] = m_versionByte; // written back as the file has it: the table keeps its level
    std::memcpy(head + 1, m_today, 3);
    putU32(head + 4, m_count);
#ifdef Q_OS_UNIX
    if (m_mappedHeader) {
        // The mapping shares the file's cached page: other readers see the count at once, and
        // it reaches the disk exactly as a write would, without a system call per row.
        std::memcpy(m_mappedHeader, head, sizeof head);
    } else
#endif
        writeAt(0, head, sizeof head);
    if (!m_touched && m_productionIndex) {
        // This engine does not maintain the .MDX (it rebuilds its indexes from the rows), so
        // once the rows change, other dBase tools must no longer trust the index file.
        const char off = 0;
        writeAt(28, &off, 1);
        m_productionIndex = false;
    }
    m_touched = true;
}

std::uint32_t DbfFile::append(const char* bytes)
{
    const qint64 offset = m_headerLength + qint64(m_count) * m_recordLength;
    // The row and the end marker after it in one write.
    m_appendBuffer.assign(bytes, bytes + m_recordLength);
    m_appendBuffer.push_back(kEndOfFile);
    writeAt(offset, m_appendBuffer.data(), static_cast<qint64>(m_appendBuffer.size()));
    m_rows.insert(m_rows.end(), bytes, bytes + m_recordLength);
    ++m_count;
    writeHeaderCount();
    return m_count - 1;
}

void DbfFile::write(std::uint32_t recno, const char* bytes)
{
    writeAt(m_headerLength + qint64(recno) * m_recordLength, bytes, m_recordLength);
    std::memcpy(m_rows.data() + std::size_t(recno) * m_recordLength, bytes,
                static_cast<std::size_t>(m_recordLength));
}

void DbfFile::truncate()
{
    const char end = kEndOfFile;
    writeAt(m_headerLength, &end, 1);
    if (!m_file.resize(m_headerLength + 1))
        throw EngineError(u"Cannot write to table %1: %2"_s.arg(m_path, m_file.errorString()));
    m_rows.clear();
    m_count = 0;
    writeHeaderCount();
}

void DbfFile::sync()
{
    if (!m_writable)
        return;
#ifdef Q_OS_UNIX
    if (::fsync(m_file.handle()) != 0)
        throw EngineError(u"Cannot write to table %1: %2"_s.arg(
            m_path, QString::fromLocal8Bit(std::strerror(errno))));
#else
    m_file.flush();
#endif
}

} // namespace dbase
