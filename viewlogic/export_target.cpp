#include "viewlogic/export_target.h"

#include <QFile>
#include <QtGlobal>
#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace views {

bool isSpecialFile(const QString& path)
{
#ifdef Q_OS_WIN
    // Devices (NUL, CON, COM1) and pipes open, but are not disk files. No access is asked for, so
    // nothing is read or written by looking.
    const HANDLE handle =
        ::CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), 0,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const DWORD type = ::GetFileType(handle);
    ::CloseHandle(handle);
    return type != FILE_TYPE_DISK;
#else
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode);
#endif
}

int lastSystemError()
{
#ifdef Q_OS_WIN
    return static_cast<int>(::GetLastError());
#else
    return errno;
#endif
}

bool isDiskFull(int error)
{
#ifdef Q_OS_WIN
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL;
#else
    return error == ENOSPC || error == EDQUOT;
#endif
}

} // namespace views
