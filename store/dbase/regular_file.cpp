#include "store/dbase/regular_file.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace dbase {

OpenedFile openRegularFile(const QString& path, bool readWrite)
{
    OpenedFile result;
#ifdef Q_OS_WIN
    // Windows keeps pipes and devices out of the file system's folders; only folders and
    // reserved names (NUL, CON) need turning away, which the type check does.
    const int flags = (readWrite ? _O_RDWR : _O_RDONLY) | _O_BINARY | _O_NOINHERIT;
    const int fd = ::_wopen(reinterpret_cast<const wchar_t*>(path.utf16()), flags);
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    struct _stat64 info
    {
    };
    if (::_fstat64(fd, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
        const bool directory = (info.st_mode & _S_IFMT) == _S_IFDIR;
        ::_close(fd);
        result.status = directory ? OpenedFile::Status::Directory : OpenedFile::Status::NotRegular;
        return result;
    }
#else
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const QByteArray name = QFile::encodeName(path);
    const int fd =
        ::open(name.constData(), (readWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        result.error = errno;
        if (result.error == EISDIR)
            result.status = OpenedFile::Status::Directory;
        return result;
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = errno;
        ::close(fd);
        if (S_ISDIR(info.st_mode))
            result.status = OpenedFile::Status::Directory;
        else if (info.st_mode != 0)
            result.status = OpenedFile::Status::NotRegular;
        else
            result.error = error;
        return result;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
#endif
    result.status = OpenedFile::Status::Opened;
    result.fd = fd;
    return result;
}

QString systemErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace dbase
