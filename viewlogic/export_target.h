#pragma once

#include <QString>

// The system calls an export needs besides Qt's: what stands at the target path, and whether a
// failed write ran out of disk space.
namespace views {

// Whether `path` names an existing device, FIFO or socket (links followed): an export there would
// block, vanish, or have the special file replaced by a regular one.
bool isSpecialFile(const QString& path);

// The error number the system gave the last failing call of this thread (errno; on Windows
// GetLastError()).
int lastSystemError();

// Whether a system error number means the disk or the user's quota is full.
bool isDiskFull(int error);

} // namespace views
