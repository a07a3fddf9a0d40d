#include "store/dbase/file_sync.h"

#include <QtGlobal>
#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace dbase {

int syncToDisk(int fd)
{
#ifdef Q_OS_WIN
    // Flushes the system's buffers of the file (FlushFileBuffers) as well as the C runtime's.
    return ::_commit(fd) == 0 ? 0 : errno;
#else
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
#endif
}

} // namespace dbase
