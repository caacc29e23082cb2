#include "core/common/PathBoundFile.h"

#include "core/common/FileErrors.h"
#include "core/common/NativePath.h"
#include "core/common/ReplacementFile.h"
#include "core/common/RetrySystemCall.h"

#include <QDir>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

int openFile(const QByteArray& path, int flags)
{
    return retrySystemCall([&] { return ::open(path.constData(), flags | O_CLOEXEC | O_NONBLOCK, 0666); });
}

// A write past the file-size limit (ulimit -f) then fails with EFBIG, and the torn
// record is cut off, instead of the process being killed half way through it.
void ignoreFileSizeSignal()
{
    static const bool ignored = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)ignored;
}

QByteArray absoluteNative(const QString& path)
{
    const QByteArray native = nativePath(path);
    if (native.startsWith('/'))
        return native;
    return nativePath(QDir::currentPath()) + '/' + native;
}

} // namespace

PathBoundFile::PathBoundFile() = default;

PathBoundFile::~PathBoundFile()
{
    close();
}

Status PathBoundFile::open(const QString& path, Creation creation)
{
    close();
    ignoreFileSizeSignal();
    if (path.isEmpty())
        return errors::fileNotFound();
    const QByteArray native = absoluteNative(path);
    if (Status opened = openNative(native, creation); !opened)
        return opened;
    m_path = path;
    m_nativePath = native;
    removeLeftovers();
    return {};
}

Status PathBoundFile::openNative(const QByteArray& native, Creation creation) const
{
    bool readOnly = false;
    const int create = creation == Creation::CreateIfMissing ? O_CREAT : 0;
    int fd = openFile(native, O_RDWR | create);
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
        // An existing file we may not write still opens, for reading.
        const int writeError = errno;
        fd = openFile(native, O_RDONLY);
        if (fd < 0)
            return errorFromErrno(errno == ENOENT ? writeError : errno);
        readOnly = true;
    }
    if (fd < 0 && errno == ENOENT) {
        struct stat folder
        {
        };
        const bool folderThere = ::stat(nativeFolder(native).constData(), &folder) == 0;
        return create || !folderThere ? errors::pathNotFound() : errors::fileNotFound();
    }
    if (fd < 0)
        return errorFromErrno(errno);
    // O_NONBLOCK kept a FIFO from hanging the open; only regular files are opened.
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return errors::pathFileAccess();
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    takeDescriptor(fd, readOnly, info.st_dev, info.st_ino);
    m_lockDepth = 0;
    return {};
}

void PathBoundFile::takeDescriptor(int fd, bool readOnly, quint64 device, quint64 inode) const
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
    m_readOnly = readOnly;
    m_device = device;
    m_inode = inode;
}

Status PathBoundFile::reopen() const
{
    return openNative(m_nativePath, Creation::ExistingOnly);
}

void PathBoundFile::removeLeftovers() const
{
    // Only while no one else writes: a running rewrite holds the exclusive lock.
    if (m_readOnly || !tryLockDescriptor(m_fd, LockKind::Exclusive))
        return;
    bool same = false;
    if (pathNamesOpenFile(same) && same)
        ReplacementFile::removeLeftovers(m_nativePath);
    unlockDescriptor(m_fd);
}

Status PathBoundFile::pathNamesOpenFile(bool& same) const
{
    struct stat info
    {
    };
    same = false;
    if (::stat(m_nativePath.constData(), &info) != 0)
        return errorFromErrno(errno);
    same = quint64(info.st_dev) == m_device && quint64(info.st_ino) == m_inode;
    return {};
}

void PathBoundFile::close()
{
    m_writers.release();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_path.clear();
    m_nativePath.clear();
    m_readOnly = false;
    m_device = m_inode = 0;
    m_lockDepth = 0;
    m_splitLinks = false;
}

qint64 PathBoundFile::byteSize() const
{
    struct stat info
    {
    };
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0)
        return -1;
    return info.st_size;
}

int PathBoundFile::linkCount() const
{
    struct stat info
    {
    };
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0)
        return 0;
    return int(info.st_nlink);
}

Status PathBoundFile::refresh() const
{
    if (m_fd < 0)
        return errors::pathFileAccess();
    if (m_lockDepth > 0)
        return {};
    bool same = false;
    if (Status named = pathNamesOpenFile(same); !named || same)
        return named;
    return reopen();
}

Status PathBoundFile::checkWritable() const
{
    if (m_fd < 0)
        return errors::pathFileAccess();
    if (m_readOnly)
        return errors::permissionDenied();
    struct stat info
    {
    };
    if (::stat(m_nativePath.constData(), &info) != 0)
        return errno == ENOENT ? errors::fileNotFound() : errorFromErrno(errno);
    if (quint64(info.st_dev) != m_device || quint64(info.st_ino) != m_inode)
        return errors::pathFileAccess();
    return {};
}

Status PathBoundFile::checkRewritable() const
{
    if (m_lockDepth == 0 || m_lockKind != LockKind::Exclusive)
        return errors::invalidProcedureCall();
    if (Status writable = checkWritable(); !writable)
        return writable;
    if (!m_splitLinks && linkCount() > 1)
        return errors::fileHasLinks();
    return {};
}

Status PathBoundFile::replaceWith(ReplacementFile& replacement) const
{
    if (m_lockDepth == 0 || m_lockKind != LockKind::Exclusive)
        return errors::invalidProcedureCall();
    return commit(replacement);
}

Status PathBoundFile::commit(ReplacementFile& replacement) const
{
    // A program that does not lock may have put another file at the path: the
    // replacement, made from this one, must not take the newcomer's place.
    bool same = false;
    if (Status named = pathNamesOpenFile(same); !named || !same)
        return named ? Status(errors::pathFileAccess()) : named;
    if (Status committed = replacement.commit(m_fd); !committed)
        return committed;
    const int fd = replacement.releaseDescriptor();
    struct stat info
    {
    };
    if (fd < 0 || ::fstat(fd, &info) != 0)
        return errors::pathFileAccess();
    // Closing the old descriptor releases its lock: a waiting program then finds the
    // path naming the new file, whose lock this object holds.
    takeDescriptor(fd, false, info.st_dev, info.st_ino);
    return {};
}

Status PathBoundFile::copyInto(ReplacementFile& out, qint64 length) const
{
    return out.copyFrom(m_fd, length);
}

Status PathBoundFile::readAt(qint64 offset, char* buffer, qint64 length) const
{
    qint64 done = 0;
    while (done < length) {
        const ssize_t got =
            retrySystemCall([&] { return ::pread(m_fd, buffer + done, size_t(length - done), offset + done); });
        if (got < 0) {
            const int error = errno;
            std::memset(buffer + done, ' ', size_t(length - done));
            return error == EBADF ? errors::pathFileAccess() : errors::deviceIO();
        }
        if (got == 0)
            break; // past the end: the rest reads as spaces
        done += got;
    }
    std::memset(buffer + done, ' ', size_t(length - done));
    return {};
}

Status PathBoundFile::writeAt(qint64 offset, QByteArrayView bytes) const
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t put = retrySystemCall(
            [&] { return ::pwrite(m_fd, bytes.data() + done, size_t(bytes.size() - done), offset + done); });
        if (put < 0)
            return errorFromErrno(errno);
        if (put == 0)
            return errors::diskFull();
        done += put;
    }
    return {};
}

Status PathBoundFile::syncData() const
{
    if (retrySystemCall([&] { return ::fdatasync(m_fd); }) != 0 && errno != EINVAL)
        return errorFromErrno(errno);
    return {};
}

void PathBoundFile::truncate(qint64 length) const
{
    (void)retrySystemCall([&] { return ::ftruncate(m_fd, length); });
}

} // namespace quillet
