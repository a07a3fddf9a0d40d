#include "store/dbase/file_lock.h"

#include "store/dbase/regular_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace dbase {
namespace {

QString lockPath(const QString& tablePath)
{
    return tablePath + u".lock"_s;
}

#ifdef Q_OS_WIN
// Windows locks are mandatory for the bytes they cover, so they sit far past any data.
filelock::Result lockFd(int fd, bool exclusive)
{
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    OVERLAPPED where{};
    where.OffsetHigh = 0x40000000;
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (::LockFileEx(handle, flags, 0, 1, 0, &where))
        return filelock::Result::Locked;
    return ::GetLastError() == ERROR_LOCK_VIOLATION ? filelock::Result::InUse
                                                    : filelock::Result::Unsupported;
}
#else
// flock belongs to the open file, not to the process: a second open of a table in the same
// program is refused just like another program's.
filelock::Result lockFd(int fd, bool exclusive)
{
    int result;
    do {
        result = ::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0)
        return filelock::Result::Locked;
    return errno == EWOULDBLOCK ? filelock::Result::InUse : filelock::Result::Unsupported;
}
#endif

} // namespace

filelock::Result filelock::tryLock(int fd, bool exclusive)
{
    return lockFd(fd, exclusive);
}

WriterLock::~WriterLock()
{
    if (m_fd < 0)
        return;
    const QByteArray name = QFile::encodeName(m_path);
#ifdef Q_OS_WIN
    ::_close(m_fd);
    // Fails while the next writer has it open, which is as it should be.
    ::_wunlink(reinterpret_cast<const wchar_t*>(m_path.utf16()));
#else
    // Removed while still locked: a program waiting for this file finds it gone and makes its
    // own (see acquire), so two writers never hold two files of one name.
    ::unlink(name.constData());
    ::close(m_fd);
#endif
}

WriterLock::Result WriterLock::acquire(const QString& tablePath)
{
    m_path = lockPath(tablePath);
    const QByteArray name = QFile::encodeName(m_path);
    for (int attempt = 0; attempt < 100; ++attempt) {
#ifdef Q_OS_WIN
        const int fd =
            ::_wopen(reinterpret_cast<const wchar_t*>(m_path.utf16()),
                     _O_RDWR | _O_CREAT | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
#else
        const int fd =
            ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW, 0666);
#endif
        if (fd < 0) {
            const int error = errno;
            if ((error == EACCES || error == EROFS || error == EPERM) && !QFileInfo::exists(m_path))
                return Result::FolderReadOnly;
            m_error = u"its lock file %1 cannot be opened: %2"_s.arg(
                QDir::toNativeSeparators(m_path), systemErrorText(error));
            return Result::Failed;
        }
        const filelock::Result locked = lockFd(fd, true);
        if (locked != filelock::Result::Locked) {
#ifdef Q_OS_WIN
            ::_close(fd);
#else
            ::close(fd);
#endif
            return locked == filelock::Result::InUse ? Result::InUse : Result::Unsupported;
        }
#ifndef Q_OS_WIN
        // The file may have been removed by the writer we waited for: then it is not ours.
        struct stat held
        {
        }, named{};
        if (::fstat(fd, &held) != 0 || ::stat(name.constData(), &named) != 0 ||
            held.st_dev != named.st_dev || held.st_ino != named.st_ino) {
            ::close(fd);
            continue;
        }
#endif
        m_fd = fd;
        // The pid is only for messages; the lock holds without it.
        const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
#ifdef Q_OS_WIN
        [[maybe_unused]] const bool noted =
            ::_chsize(m_fd, 0) == 0 && ::_write(m_fd, pid.constData(), pid.size()) == pid.size();
#else
        [[maybe_unused]] const bool noted =
            ::ftruncate(m_fd, 0) == 0 &&
            ::pwrite(m_fd, pid.constData(), pid.size(), 0) == pid.size();
#endif
        return Result::Locked;
    }
    m_error = u"its lock file %1 keeps changing"_s.arg(QDir::toNativeSeparators(m_path));
    return Result::Failed;
}

qint64 WriterLock::holder(const QString& tablePath)
{
    const OpenedFile opened = openRegularFile(lockPath(tablePath), false);
    if (opened.status != OpenedFile::Status::Opened)
        return 0;
    QFile file;
    if (!file.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return 0;
    // A lock file nobody holds is left over from a program that ended: it names nobody.
    if (lockFd(file.handle(), false) == filelock::Result::Locked)
        return 0;
    bool ok = false;
    const qint64 pid = file.readLine(32).trimmed().toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

} // namespace dbase
