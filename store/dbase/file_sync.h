#pragma once

namespace dbase {

// Waits until what was written to an open file, its length included, is on the disk and not only
// in the system's cache, so that a power failure after this call loses none of it. Returns 0, or
// the system's error number.
int syncToDisk(int fd);

} // namespace dbase
