#include "core/common/FileLock.h"

#include "core/common/FileErrors.h"
#include "core/common/RetrySystemCall.h"

#include <QThread>
#include <QtGlobal>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>

namespace quillet {

namespace {

constexpr int defaultWaitMs = 5000;
constexpr int defaultReaderWaitMs = 1000;

struct flock wholeFile(short type)
{
    struct flock lock
    {
    };
    lock.l_type = type;
    lock.l_whence = SEEK_SET; // l_start and l_len 0: the whole file, however it grows
    return lock;
}

int setLock(int fd, short type)
{
    struct flock lock = wholeFile(type);
    return retrySystemCall([&] { return ::fcntl(fd, F_OFD_SETLK, &lock); });
}

short lockType(LockKind kind)
{
    return kind == LockKind::Exclusive ? F_WRLCK : F_RDLCK;
}

} // namespace

int lockWaitMs()
{
    bool ok = false;
    const int configured = qEnvironmentVariableIntValue("QUILLET_LOCK_WAIT_MS", &ok);
    return ok && configured >= 0 ? configured : defaultWaitMs;
}

int readerWaitMs()
{
    // Half the lock wait at most, so that a writer steps around readers well before
    // it would give up.
    return std::min(defaultReaderWaitMs, lockWaitMs() / 2);
}

LockDeadline::LockDeadline(int waitMs) : m_waitMs(waitMs)
{
    m_timer.start();
}

bool LockDeadline::passed() const
{
    return m_timer.elapsed() >= m_waitMs;
}

void LockDeadline::pause()
{
    const qint64 left = m_waitMs - m_timer.elapsed();
    if (left > 0)
        QThread::msleep(ulong(std::min<qint64>(m_pauseMs, left)));
    m_pauseMs = std::min(m_pauseMs * 2, 100);
}

bool tryLockDescriptor(int fd, LockKind kind)
{
    return setLock(fd, lockType(kind)) == 0;
}

Status lockDescriptor(int fd, LockKind kind, LockDeadline& deadline)
{
    while (!tryLockDescriptor(fd, kind)) {
        if (errno != EAGAIN && errno != EACCES)
            return errorFromErrno(errno);
        if (deadline.passed())
            return errors::fileInUse();
        deadline.pause();
    }
    return {};
}

bool writeLockedElsewhere(int fd)
{
    // A read lock conflicts with write locks only: the answer names one if any is held.
    struct flock probe = wholeFile(F_RDLCK);
    if (retrySystemCall([&] { return ::fcntl(fd, F_OFD_GETLK, &probe); }) != 0)
        return true;
    return probe.l_type != F_UNLCK;
}

void unlockDescriptor(int fd)
{
    (void)setLock(fd, F_UNLCK);
}

} // namespace quillet
