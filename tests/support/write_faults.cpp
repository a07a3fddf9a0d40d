#include "tests/support/write_faults.h"

#include "tests/support/fd_path.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <set>
#include <string>
#include <strings.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

int g_writes = 0;
int g_crashAt = 0;
std::set<std::string> g_unsynced;

bool isTable(const std::string& path)
{
    return path.size() > 4 && ::strcasecmp(path.c_str() + path.size() - 4, ".dbf") == 0;
}

using Pwrite = ssize_t (*)(int, const void*, size_t, off_t);
using Fsync = int (*)(int);

// The function this file stands in for, as the C library (or a sanitizer) defines it.
template <typename F> F real(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

ssize_t watchedWrite(Pwrite write, int fd, const void* bytes, size_t size, off_t offset)
{
    const std::string path = testsupport::fdPath(fd);
    if (!isTable(path))
        return write(fd, bytes, size, offset);
    ++g_writes;
    if (g_crashAt > 0 && g_writes >= g_crashAt) {
        if (g_writes == g_crashAt && size > 1)
            write(fd, bytes, size / 2, offset);
        errno = EIO;
        return -1;
    }
    const ssize_t written = write(fd, bytes, size, offset);
    if (written > 0)
        g_unsynced.insert(path);
    return written;
}

int watchedSync(Fsync sync, int fd)
{
    const int result = sync(fd);
    if (result == 0)
        g_unsynced.erase(testsupport::fdPath(fd));
    return result;
}

} // namespace

// The engine's pwrite may be either name, depending on how the file offset size is configured.
extern "C" ssize_t pwrite(int fd, const void* bytes, size_t size, off_t offset)
{
    static const Pwrite write = real<Pwrite>("pwrite");
    return watchedWrite(write, fd, bytes, size, offset);
}
extern "C" ssize_t pwrite64(int fd, const void* bytes, size_t size, off_t offset)
{
    static const Pwrite write = real<Pwrite>("pwrite64");
    return watchedWrite(write, fd, bytes, size, offset);
}
extern "C" int fsync(int fd)
{
    static const Fsync sync = real<Fsync>("fsync");
    return watchedSync(sync, fd);
}
extern "C" int fdatasync(int fd)
{
    static const Fsync sync = real<Fsync>("fdatasync");
    return watchedSync(sync, fd);
}

namespace writefaults {

bool available()
{
    return true;
}
void reset()
{
    g_writes = 0;
    g_crashAt = 0;
    g_unsynced.clear();
}
void crashAtWrite(int n)
{
    g_crashAt = g_writes + n;
}
int writes()
{
    return g_writes;
}
bool allSynced()
{
    return g_unsynced.empty();
}

} // namespace writefaults

#else

namespace writefaults {

bool available()
{
    return false;
}
void reset() {}
void crashAtWrite(int) {}
int writes()
{
    return 0;
}
bool allSynced()
{
    return true;
}

} // namespace writefaults

#endif
