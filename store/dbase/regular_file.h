#pragma once

#include <QString>

namespace dbase {

// Opening a file only when it is a regular file: a FIFO would block the open or the reads for
// good, and a device such as /dev/zero never ends.
struct OpenedFile
{
    enum class Status
    {
        Opened,
        Failed,     // `error` holds the system's error number
        Directory,  // a folder where a file was expected
        NotRegular, // a FIFO, socket or device
    };
    Status status = Status::Failed;
    int fd = -1; // a C runtime descriptor when opened; the caller closes it
    int error = 0;
};

OpenedFile openRegularFile(const QString& path, bool readWrite);

// The system's text for an error number.
QString systemErrorText(int error);

} // namespace dbase
