#include "import/tab_reader.h"

#include "import/import_error.h"
#include "store/dbase/regular_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace import {
namespace {

constexpr qsizetype kChunk = 64 * 1024;
// Far longer than any line a bank writes; a file without line ends (or /dev/zero behind a
// link) must not grow one line until memory runs out.
constexpr qsizetype kMaxLineLength = 1024 * 1024;
constexpr char kCtrlZ = 26;

[[noreturn]] void throwIoError(int error)
{
    throw ImportError(QStringLiteral("I/O error %1").arg(error));
}

// The messages the program has always shown for a file it cannot open.
[[noreturn]] void throwOpenError(const QString& path, int error)
{
    switch (error) {
    case ENOENT:
        if (!path.isEmpty() && QFileInfo(path).absoluteDir().exists())
            throw ImportError(QStringLiteral("File not found"));
        throw ImportError(QStringLiteral("Invalid filename"));
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        throw ImportError(QStringLiteral("Invalid filename"));
    case EACCES:
    case EPERM:
    case EISDIR:
        throw ImportError(QStringLiteral("File access denied"));
    default:
        throwIoError(error);
    }
}

} // namespace

TabReader::TabReader(const QString& path)
{
    if (path.isEmpty())
        throw ImportError(QStringLiteral("Invalid filename"));
    const dbase::OpenedFile opened = dbase::openRegularFile(path, false);
    switch (opened.status) {
    case dbase::OpenedFile::Status::Opened:
        break;
    case dbase::OpenedFile::Status::Directory:
        throw ImportError(QStringLiteral("File access denied"));
    case dbase::OpenedFile::Status::NotRegular:
        throw ImportError(
            QStringLiteral("Cannot open file %1: it is not a regular file").arg(path));
    case dbase::OpenedFile::Status::Failed:
        throwOpenError(path, opened.error);
    }
    m_fd = opened.fd;
    struct stat info
    {
    };
    if (::fstat(m_fd, &info) != 0) {
        const int error = errno;
        ::close(m_fd);
        throwIoError(error);
    }
    m_size = info.st_size;
}

TabReader::~TabReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool TabReader::fill()
{
    if (m_eof)
        return false;
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + kChunk);
    ssize_t got;
    do {
        got = ::read(m_fd, m_buffer.data() + old, kChunk);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        const int error = errno;
        m_buffer.resize(old);
        throwIoError(error);
    }
    m_buffer.resize(old + got);
    if (got == 0)
        m_eof = true;
    return got > 0;
}

bool TabReader::atEnd()
{
    if (m_pos >= m_buffer.size() && !fill())
        return true;
    return m_buffer[m_pos] == kCtrlZ;
}

void TabReader::lineTooLong() const
{
    throw ImportError(QStringLiteral("Line %1 is too long (over %2 bytes)")
                          .arg(m_lineNumber)
                          .arg(kMaxLineLength));
}

bool TabReader::lineFollowsAt(qsizetype offset)
{
    const qsizetype from = offset;
    int tabs = 0;
    for (;; ++offset) {
        if (m_pos + offset >= m_buffer.size()) {
            // Whichever way it is read, a line that long is refused.
            if (offset > kMaxLineLength + 1)
                lineTooLong();
            if (!fill())
                return offset == from; // the file's last line end
        }
        const char c = m_buffer.constData()[m_pos + offset];
        if (c == kCtrlZ)
            return offset == from;
        if (c == '\r' || c == '\n')
            return false;
        if (c == '\t' && ++tabs == kTransactionTabs)
            return true;
    }
}

QByteArray TabReader::readLine()
{
    return readLineView().toByteArray();
}

QByteArrayView TabReader::readLineView()
{
    ++m_lineNumber;
    qsizetype offset = 0; // bytes of this line scanned so far, counted from m_pos
    for (;;) {
        const char* data = m_buffer.constData();
        const qsizetype size = m_buffer.size();
        // The first line end or Ctrl-Z: three memchr calls over a line's bytes cost less than
        // testing each byte in turn.
        const char* from = data + m_pos + offset;
        const char* end = data + size;
        if (const void* cr = std::memchr(from, '\r', std::size_t(end - from)))
            end = static_cast<const char*>(cr);
        if (const void* lf = std::memchr(from, '\n', std::size_t(end - from)))
            end = static_cast<const char*>(lf);
        if (const void* z = std::memchr(from, kCtrlZ, std::size_t(end - from)))
            end = static_cast<const char*>(z);
        const qsizetype i = end - data;
        offset = i - m_pos;
        if (offset > kMaxLineLength)
            lineTooLong();
        if (i == size) {
            if (!fill()) {
                // The last line, without a line end.
                const QByteArrayView line(m_buffer.constData() + m_pos, m_buffer.size() - m_pos);
                m_pos = m_buffer.size();
                return line;
            }
            continue; // fill() moves the unread bytes to the front; offset still counts
        }
        const char c = data[i];
        // A lone line feed ends the line only before a transaction line; before anything else
        // it is a line break inside the bank's description.
        if (c == '\n' && !lineFollowsAt(offset + 1)) {
            ++offset;
            continue;
        }
        QByteArrayView line(m_buffer.constData() + m_pos, offset);
        m_pos += offset;
        if (c == kCtrlZ)
            return line; // stays in front, so atEnd() holds from now on
        ++m_pos;
        if (c == '\r') {
            // A line feed right after the carriage return belongs to the same line end.
            if (m_pos >= m_buffer.size()) {
                // Reading on moves the buffer: the line is kept aside first.
                m_lineCopy = line.toByteArray();
                line = m_lineCopy;
                fill();
            }
            if (m_pos < m_buffer.size() && m_buffer.at(m_pos) == '\n')
                ++m_pos;
        }
        return line;
    }
}

} // namespace import
