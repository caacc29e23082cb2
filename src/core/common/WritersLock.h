#pragma once

#include "core/common/AppError.h"
#include "core/common/FileLock.h"

#include <QByteArray>

namespace quillet {

// The lock writers of a file exclude one another with: an exclusive lock on a file
// of their own beside it, ".NAME.qlt-lock", which no one can open for reading (its
// mode has only the write bits of the file it guards). Anyone who may read a file
// can take a shared lock on it and so keep out an exclusive lock for as long as he
// likes; no one can do that to this file without the right to write the guarded one.
// The lock file exists only while a writer holds it: its holder removes it before
// letting go, and a writer that finds the name gone or reused after locking tries
// again.
class WritersLock
{
public:
    WritersLock() = default;
    ~WritersLock();
    WritersLock(const WritersLock&) = delete;
    WritersLock& operator=(const WritersLock&) = delete;

    // Takes the writers' lock of `target` (a native path; `guarded` its open
    // descriptor, whose owner and mode the lock file follows). Success without
    // held() when no lock file can be had there (a folder we may not write, a name
    // at the length limit, something other than a file at its name): the writer
    // then relies on the guarded file's own lock. "In use" when another writer
    // keeps it past the deadline.
    Status acquire(const QByteArray& target, int guarded, LockDeadline& deadline);
    void release();
    bool held() const { return m_fd >= 0; }

    static QByteArray pathFor(const QByteArray& target);

private:
    int m_fd = -1;
    QByteArray m_path;
};

} // namespace quillet
