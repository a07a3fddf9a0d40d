#pragma once

#include <QString>

namespace dbase {

// Locks held by the system, released by it when the holding process ends, however it ends: a
// crashed program never blocks the next, whatever it left on disk.
namespace filelock {

enum class Result
{
    Locked,
    InUse,
    Unsupported, // the file system has no locks
};

// Locks an open table file: shared by readers and by the one writer (so that other dBase tools
// can still read it), exclusive while it is being emptied.
Result tryLock(int fd, bool exclusive);

} // namespace filelock

// The lock file beside a table (`<table file>.lock`) that keeps a second writer away. It holds
// the writer's process id, so that the next program can say who has the table.
class WriterLock
{
public:
    enum class Result
    {
        Locked,
        InUse,
        FolderReadOnly, // no lock file can be made
        Failed,         // see error()
        Unsupported,    // the file system has no locks
    };

    WriterLock() = default;
    ~WriterLock();
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;

    Result acquire(const QString& tablePath);
    QString error() const { return m_error; }

    // The process writing the table, when one does and its lock file names it; 0 otherwise.
    static qint64 holder(const QString& tablePath);

private:
    QString m_path;
    QString m_error;
    int m_fd = -1;
};

} // namespace dbase
