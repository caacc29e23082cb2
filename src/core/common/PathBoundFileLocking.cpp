// The locks of PathBoundFile: see the locking rules in its header.
#include "core/common/PathBoundFile.h"

#include "core/common/FileErrors.h"
#include "core/common/ReplacementFile.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>

namespace quillet {

namespace {

// Opening the file again after it was replaced: a few rounds at most, unless
// another program keeps replacing it.
constexpr int maxReopenings = 8;

Status checked(const PathBoundFile& file, WriteCheck check)
{
    switch (check) {
    case WriteCheck::Writable:
        return file.checkWritable();
    case WriteCheck::Rewritable:
        return file.checkRewritable();
    case WriteCheck::None:
        break;
    }
    return {};
}

} // namespace

Status PathBoundFile::lock(LockKind kind, WriteCheck check) const
{
    if (m_fd < 0)
        return errors::pathFileAccess();
    if (kind == LockKind::Exclusive && m_readOnly)
        return errors::permissionDenied();
    if (m_lockDepth == 0) {
        if (Status locked = lockAtPath(kind); !locked)
            return locked;
    } else if (kind == LockKind::Exclusive && m_lockKind == LockKind::Shared) {
        LockDeadline deadline(lockWaitMs());
        if (Status writers = m_writers.acquire(m_nativePath, m_fd, deadline); !writers)
            return writers;
        if (Status converted = lockDescriptor(m_fd, kind, deadline); !converted) {
            m_writers.release();
            return converted;
        }
        m_lockKind = kind;
    }
    ++m_lockDepth;
    const Status passed = checked(*this, check);
    if (!passed)
        unlock();
    return passed;
}

void PathBoundFile::unlock() const
{
    if (m_lockDepth == 0 || --m_lockDepth > 0)
        return;
    if (m_fd >= 0)
        unlockDescriptor(m_fd);
    m_writers.release();
}

Status PathBoundFile::lockAtPath(LockKind kind) const
{
    LockDeadline deadline(lockWaitMs());
    if (kind == LockKind::Exclusive) {
        if (Status writers = m_writers.acquire(m_nativePath, m_fd, deadline); !writers)
            return writers;
    }
    const Status locked = followAndLock(kind, deadline);
    if (!locked)
        m_writers.release();
    return locked;
}

Status PathBoundFile::followAndLock(LockKind kind, LockDeadline& deadline) const
{
    qint64 readersSince = -1;
    for (int reopenings = 0; reopenings <= maxReopenings;) {
        const bool locked = tryLockDescriptor(m_fd, kind);
        if (!locked && errno != EAGAIN && errno != EACCES)
            return errorFromErrno(errno);
        bool same = false;
        const Status named = pathNamesOpenFile(same);
        if (locked && named && same) {
            m_lockKind = kind;
            return {};
        }
        if (locked)
            unlockDescriptor(m_fd);
        if (!named)
            return named;
        if (!same) {
            // Replaced by rename: carry on with the file that has the name now.
            if (Status reopened = reopen(); !reopened)
                return reopened;
            if (kind == LockKind::Exclusive && m_readOnly)
                return errors::permissionDenied();
            ++reopenings;
            readersSince = -1;
            continue;
        }
        if (kind == LockKind::Exclusive && readersOutstayed(readersSince, deadline))
            return stepAroundReaders();
        if (deadline.passed())
            return errors::fileInUse();
        deadline.pause();
    }
    return errors::fileInUse();
}

bool PathBoundFile::readersOutstayed(qint64& readersSince, const LockDeadline& deadline) const
{
    // Only a writer that other writers cannot disturb may step around, and only a
    // file that may be rewritten; a write lock held elsewhere is another writer.
    const bool onlyReaders = m_writers.held() && !writeLockedElsewhere(m_fd);
    if (!onlyReaders || (!m_splitLinks && linkCount() > 1)) {
        readersSince = -1;
        return false;
    }
    if (readersSince < 0)
        readersSince = deadline.elapsed();
    return deadline.elapsed() - readersSince >= readerWaitMs() && tryLockDescriptor(m_fd, LockKind::Shared);
}

Status PathBoundFile::stepAroundReaders() const
{
    // The read lock taken by readersOutstayed keeps a writer without the writers'
    // lock away from the old file until the copy is in place.
    const qint64 length = byteSize();
    ReplacementFile copy(m_nativePath);
    Status status = length < 0 ? Status(errorFromErrno(errno)) : copy.open();
    if (status)
        status = copyInto(copy, length);
    if (status)
        status = commit(copy);
    if (!status) {
        unlockDescriptor(m_fd);
        return status;
    }
    m_lockKind = LockKind::Exclusive;
    return {};
}

} // namespace quillet
