#pragma once

#include <cstdio>
#include <string>
#include <unistd.h>

namespace testsupport {

// The path of an open file descriptor of this process (Linux), empty when it cannot be told.
inline std::string fdPath(int fd)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t n = ::readlink(link, target, sizeof target - 1);
    return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

} // namespace testsupport
