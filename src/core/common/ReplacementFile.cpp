#include "core/common/ReplacementFile.h"

#include "core/common/FileErrors.h"
#include "core/common/FileLock.h"
#include "core/common/NativePath.h"
#include "core/common/RetrySystemCall.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace quillet {

namespace {

constexpr qsizetype bufferSize = 1024 * 1024;
const QByteArray marker = QByteArrayLiteral(".qlt-");
constexpr qsizetype uniqueLength = 6; // mkostemp's XXXXXX

QByteArray temporaryPrefix(const QByteArray& targetName)
{
    return '.' + targetName + marker;
}

Status syncFolder(const QByteArray& folder)
{
    const int fd = retrySystemCall([&] { return ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    if (fd < 0)
        return errorFromErrno(errno);
    // Some file systems cannot sync a folder (EINVAL); the rename is then as durable as they allow.
    const int synced = retrySystemCall([&] { return ::fsync(fd); });
    const int error = errno;
    ::close(fd);
    return synced == 0 || error == EINVAL ? Status() : Status(errorFromErrno(error));
}

// Extended attributes, POSIX ACLs among them (system.posix_acl_access). A file system
// without them, or one attribute we may not set, does not stop the rewrite.
void copyAttributes(int from, int to)
{
    const ssize_t listSize = ::flistxattr(from, nullptr, 0);
    if (listSize <= 0)
        return;
    std::vector<char> names(size_t(listSize) + 1, '\0');
    if (::flistxattr(from, names.data(), names.size() - 1) < 0)
        return;
    std::vector<char> value;
    for (const char* name = names.data(); *name; name += std::strlen(name) + 1) {
        const ssize_t valueSize = ::fgetxattr(from, name, nullptr, 0);
        if (valueSize < 0)
            continue;
        value.resize(size_t(valueSize) + 1);
        const ssize_t got = ::fgetxattr(from, name, value.data(), value.size());
        if (got >= 0)
            (void)::fsetxattr(to, name, value.data(), size_t(got), 0);
    }
}

mode_t defaultMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Owner and group first (fchown clears set-id bits), then the mode, then the ACLs,
// which agree with the mode they were taken with.
void copyIdentity(int model, int to)
{
    struct stat info
    {
    };
    if (model < 0 || ::fstat(model, &info) != 0 || !S_ISREG(info.st_mode)) {
        (void)::fchmod(to, defaultMode());
        return;
    }
    if (::fchown(to, info.st_uid, info.st_gid) != 0)
        (void)::fchown(to, uid_t(-1), info.st_gid); // a member of the group may still keep it
    (void)::fchmod(to, info.st_mode & 07777);
    copyAttributes(model, to);
}

} // namespace

ReplacementFile::ReplacementFile(QByteArray target) : m_target(std::move(target)) {}

ReplacementFile::~ReplacementFile()
{
    cancel();
}

Status ReplacementFile::open()
{
    QByteArray name = nativeFolder(m_target) + '/' + temporaryPrefix(nativeFileName(m_target)) + "XXXXXX";
    const int fd = retrySystemCall([&] { return ::mkostemp(name.data(), O_CLOEXEC); });
    if (fd < 0)
        return m_status = errorFromErrno(errno);
    m_fd = fd;
    m_temporary = name;
    if (!tryLockDescriptor(m_fd, LockKind::Exclusive)) {
        const int error = errno;
        cancel();
        return m_status = errorFromErrno(error);
    }
    m_buffer.reserve(bufferSize);
    return m_status = {};
}

Status ReplacementFile::write(QByteArrayView bytes)
{
    if (!m_status)
        return m_status;
    if (m_fd < 0)
        return m_status = errors::pathFileAccess();
    m_buffer.append(bytes.data(), bytes.size());
    return m_buffer.size() >= bufferSize ? flush() : m_status;
}

Status ReplacementFile::copyFrom(int source, qint64 length)
{
    if (!m_status || !flush())
        return m_status;
    off64_t from = 0;
    bool kernelCopies = true;
    while (m_status && from < length) {
        if (kernelCopies) {
            const ssize_t copied = retrySystemCall(
                [&] { return ::copy_file_range(source, &from, m_fd, nullptr, size_t(length - from), 0); });
            // Not between these files (another file system, an old kernel): copied here instead.
            if (copied < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP))
                kernelCopies = false;
            else if (copied < 0)
                m_status = errorFromErrno(errno);
            else if (copied == 0)
                m_status = errorFromErrno(EIO); // the source is shorter than it was a moment ago
            else
                from += copied;
            continue;
        }
        m_buffer.resize(std::min<qint64>(bufferSize, length - from));
        const ssize_t read = retrySystemCall([&] { return ::pread(source, m_buffer.data(), m_buffer.size(), from); });
        if (read <= 0) {
            m_status = errorFromErrno(read < 0 ? errno : EIO);
            m_buffer.resize(0);
            break;
        }
        m_buffer.resize(read);
        from += read;
        flush();
    }
    return m_status;
}

Status ReplacementFile::flush()
{
    qsizetype done = 0;
    while (m_status && done < m_buffer.size()) {
        const ssize_t put =
            retrySystemCall([&] { return ::write(m_fd, m_buffer.constData() + done, size_t(m_buffer.size() - done)); });
        if (put < 0)
            m_status = errorFromErrno(errno);
        else if (put == 0)
            m_status = errors::diskFull();
        else
            done += put;
    }
    m_buffer.resize(0); // keeps its room: clear() would free it, and every megabyte regrow it
    return m_status;
}

Status ReplacementFile::commit(int model)
{
    if (!m_status || !flush())
        return m_status;
    int ownModel = -1;
    if (model < 0)
        model = ownModel = retrySystemCall(
            [&] { return ::open(m_target.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC); });
    copyIdentity(model, m_fd);
    if (ownModel >= 0)
        ::close(ownModel);
    if (retrySystemCall([&] { return ::fsync(m_fd); }) != 0)
        return m_status = errorFromErrno(errno);
    if (::rename(m_temporary.constData(), m_target.constData()) != 0)
        return m_status = errorFromErrno(errno);
    m_temporary.clear();
    return m_status = syncFolder(nativeFolder(m_target));
}

void ReplacementFile::cancel()
{
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

int ReplacementFile::releaseDescriptor()
{
    if (!m_temporary.isEmpty())
        return -1;
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

bool ReplacementFile::isLeftoverOf(const QByteArray& name, const QByteArray& targetName)
{
    const QByteArray prefix = temporaryPrefix(targetName);
    return name.size() == prefix.size() + uniqueLength && name.startsWith(prefix);
}

void ReplacementFile::removeLeftovers(const QByteArray& target)
{
    const QByteArray folder = nativeFolder(target);
    const QByteArray name = nativeFileName(target);
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    std::vector<QByteArray> leftovers;
    while (const dirent* entry = ::readdir(dir)) {
        if (isLeftoverOf(QByteArray(entry->d_name), name))
            leftovers.push_back(folder + '/' + entry->d_name);
    }
    ::closedir(dir);
    for (const QByteArray& path : leftovers) {
        struct stat info
        {
        };
        if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode))
            ::unlink(path.constData());
    }
}

} // namespace quillet
