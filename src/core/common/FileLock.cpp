#include "core/common/FileLock.h"

#include "core/common/FileErrors.h"
#include "core/common/RetrySystemCall.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtGlobal>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>

namespace quillet {

namespace {

constexpr int defaultWaitMs = 5000;

int setLock(int fd, short type)
{
    struct flock lock
    {
    };
    lock.l_type = type;
    lock.l_whence = SEEK_SET; // l_start and l_len 0: the whole file, however it grows
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

bool tryLockDescriptor(int fd, LockKind kind)
{
    return setLock(fd, lockType(kind)) == 0;
}

Status lockDescriptor(int fd, LockKind kind, int waitMs)
{
    QElapsedTimer waited;
    waited.start();
    int pauseMs = 1;
    while (setLock(fd, lockType(kind)) != 0) {
        if (errno != EAGAIN && errno != EACCES)
            return errorFromErrno(errno);
        const qint64 left = waitMs - waited.elapsed();
        if (left <= 0)
            return errors::fileInUse();
        QThread::msleep(ulong(std::min<qint64>(pauseMs, left)));
        pauseMs = std::min(pauseMs * 2, 100);
    }
    return {};
}

void unlockDescriptor(int fd)
{
    (void)setLock(fd, F_UNLCK);
}

} // namespace quillet
