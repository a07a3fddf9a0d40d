#include "store/dbase/atomic_create.h"

#include "store/dbase/regular_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace dbase {
namespace {

QString temporaryName(const QString& path)
{
    const QFileInfo info(path);
    return info.absoluteDir().filePath(
        u".%1.%2-%3.tmp"_s.arg(info.fileName())
            .arg(QCoreApplication::applicationPid())
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
}

#ifdef Q_OS_WIN

QString create(const QString& path, const QString& temporary, const QByteArray& bytes, bool replace)
{
    QFile file(temporary);
    if (!file.open(QIODevice::NewOnly | QIODevice::WriteOnly))
        return file.errorString();
    const bool written =
        file.write(bytes) == bytes.size() && file.flush() &&
        ::FlushFileBuffers(reinterpret_cast<HANDLE>(::_get_osfhandle(file.handle())));
    file.close();
    // Without MOVEFILE_REPLACE_EXISTING an existing table keeps its name.
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!written || !::MoveFileExW(reinterpret_cast<const wchar_t*>(temporary.utf16()),
                                   reinterpret_cast<const wchar_t*>(path.utf16()), flags)) {
        const QString error =
            written ? QString::fromStdString(std::system_category().message(int(::GetLastError())))
                    : file.errorString();
        QFile::remove(temporary);
        return error;
    }
    return {};
}

#else

bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Gives the temporary file its final name: in place of an existing file with `replace`, else
// only when that name does not exist.
int publish(const QByteArray& temporary, const QByteArray& final, bool replace)
{
    if (replace)
        return ::rename(temporary.constData(), final.constData()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, final.constData(),
                    RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // File systems without that rename: a link fails on an existing name just as well.
    if (::link(temporary.constData(), final.constData()) == 0) {
        ::unlink(temporary.constData());
        return 0;
    }
    return errno;
}

QString create(const QString& path, const QString& temporaryPath, const QByteArray& bytes,
               bool replace)
{
    const QByteArray temporary = QFile::encodeName(temporaryPath);
    const QByteArray final = QFile::encodeName(path);
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return systemErrorText(errno);
    int error = 0;
    if (!writeAll(fd, bytes.constData(), bytes.size()) || ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0)
        error = publish(temporary, final, replace);
    if (error != 0) {
        ::unlink(temporary.constData());
        return systemErrorText(error);
    }
    // The new name itself must reach the disk too.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

#endif

} // namespace

QString createFileAtomically(const QString& path, const QByteArray& bytes)
{
    return create(path, temporaryName(path), bytes, false);
}

QString replaceFileAtomically(const QString& path, const QByteArray& bytes)
{
    return create(path, temporaryName(path), bytes, true);
}

} // namespace dbase
