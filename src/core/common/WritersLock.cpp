#include "core/common/WritersLock.h"

#include "core/common/NativePath.h"
#include "core/common/RetrySystemCall.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Only the write bits of the guarded file, so that no one can read-lock the lock.
void followGuarded(int fd, int guarded)
{
    struct stat info
    {
    };
    if (::fstat(guarded, &info) != 0)
        return;
    (void)::fchown(fd, uid_t(-1), info.st_gid);
    (void)::fchmod(fd, (info.st_mode & 0222) | S_IWUSR);
}

// The lock file, created when missing; -1 when there is none to be had. Anything
// but a regular file at the name (a device, a FIFO, a link) is left alone.
int openLockFile(const QByteArray& path, int guarded)
{
    const int flags = O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    // A few rounds: the last holder may remove it between our two attempts.
    for (int round = 0; round < 3; ++round) {
        struct stat info
        {
        };
        if (::lstat(path.constData(), &info) == 0 && !S_ISREG(info.st_mode))
            return -1;
        int fd = retrySystemCall([&] { return ::open(path.constData(), flags | O_CREAT | O_EXCL, S_IWUSR); });
        if (fd >= 0) {
            followGuarded(fd, guarded);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
        fd = retrySystemCall([&] { return ::open(path.constData(), flags); });
        if (fd < 0 && errno == ENOENT)
            continue;
        if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
            ::close(fd);
            fd = -1;
        }
        return fd;
    }
    return -1;
}

} // namespace

WritersLock::~WritersLock()
{
    release();
}

QByteArray WritersLock::pathFor(const QByteArray& target)
{
    return nativeFolder(target) + "/." + nativeFileName(target) + ".qlt-lock";
}

Status WritersLock::acquire(const QByteArray& target, int guarded, LockDeadline& deadline)
{
    release();
    const QByteArray path = pathFor(target);
    for (;;) {
        const int fd = openLockFile(path, guarded);
        if (fd < 0)
            return {}; // the guarded file's own lock has to do
        if (Status locked = lockDescriptor(fd, LockKind::Exclusive, deadline); !locked) {
            ::close(fd);
            return locked;
        }
        // Its last holder may have removed it meanwhile: then the lock is worth nothing.
        struct stat mine
        {
        };
        struct stat named
        {
        };
        if (::fstat(fd, &mine) == 0 && ::stat(path.constData(), &named) == 0 && sameFile(mine, named)) {
            m_fd = fd;
            m_path = path;
            return {};
        }
        ::close(fd);
        if (deadline.passed())
            return errors::fileInUse();
    }
}

void WritersLock::release()
{
    if (m_fd < 0)
        return;
    // Removed while still locked, so that no one locks a file that has left its name.
    ::unlink(m_path.constData());
    ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

} // namespace quillet
