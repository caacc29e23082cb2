#include "core/contacts/ContactsFile.h"

#include "core/common/FileErrors.h"
#include "core/common/NativePath.h"
#include "core/common/ReplacementFile.h"
#include "core/common/RetrySystemCall.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

// About 1 MiB of whole records per read: large enough that a scan of 100,000
// records takes a few dozen system calls, small enough for any file size.
constexpr qint64 chunkRecords = 2621;

// The bytes of blank records from file offset `from` on.
QByteArray blankBytes(qint64 from, qint64 length)
{
    static const QByteArray blank = ContactRecord().toBytes();
    QByteArray bytes(length, Qt::Uninitialized);
    for (qint64 i = 0; i < length; ++i)
        bytes[i] = blank[(from + i) % recordSize];
    return bytes;
}

qint64 offsetOf(int number)
{
    return qint64(number - 1) * recordSize;
}

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

// Opening the same file again after it was replaced: a few rounds at most, unless
// another program keeps replacing it.
constexpr int maxReopenings = 8;

} // namespace

ContactsFile::ContactsFile() = default;

ContactsFile::~ContactsFile()
{
    close();
}

Status ContactsFile::open(const QString& path, Creation creation)
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

Status ContactsFile::openNative(const QByteArray& native, Creation creation) const
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
    // O_NONBLOCK kept a FIFO from hanging the open; only regular files are contacts files.
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return errors::pathFileAccess();
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
    m_readOnly = readOnly;
    m_device = info.st_dev;
    m_inode = info.st_ino;
    m_lockDepth = 0;
    return {};
}

Status ContactsFile::reopen() const
{
    return openNative(m_nativePath, Creation::ExistingOnly);
}

void ContactsFile::removeLeftovers() const
{
    // Only while no one else writes: a running rewrite holds the exclusive lock.
    if (m_readOnly || !tryLockDescriptor(m_fd, LockKind::Exclusive))
        return;
    bool same = false;
    if (pathNamesOpenFile(same) && same)
        ReplacementFile::removeLeftovers(m_nativePath);
    unlockDescriptor(m_fd);
}

Status ContactsFile::pathNamesOpenFile(bool& same) const
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

Status ContactsFile::lock(LockKind kind) const
{
    if (m_fd < 0)
        return errors::pathFileAccess();
    if (kind == LockKind::Exclusive && m_readOnly)
        return errors::permissionDenied();
    if (m_lockDepth > 0) {
        if (kind == LockKind::Exclusive && m_lockKind == LockKind::Shared) {
            if (Status converted = lockDescriptor(m_fd, kind, lockWaitMs()); !converted)
                return converted;
            m_lockKind = kind;
        }
        ++m_lockDepth;
        return {};
    }
    for (int round = 0; round < maxReopenings; ++round) {
        if (Status locked = lockDescriptor(m_fd, kind, lockWaitMs()); !locked)
            return locked;
        bool same = false;
        const Status named = pathNamesOpenFile(same);
        if (named && same) {
            m_lockDepth = 1;
            m_lockKind = kind;
            return {};
        }
        unlockDescriptor(m_fd);
        if (!named)
            return named;
        // Replaced by rename: carry on with the file that has the name now.
        if (Status reopened = reopen(); !reopened)
            return reopened;
        if (kind == LockKind::Exclusive && m_readOnly)
            return errors::permissionDenied();
    }
    return errors::fileInUse();
}

void ContactsFile::unlock() const
{
    if (m_lockDepth == 0 || --m_lockDepth > 0)
        return;
    if (m_fd >= 0)
        unlockDescriptor(m_fd);
}

Status ContactsFile::refresh() const
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

int ContactsFile::linkCount() const
{
    struct stat info
    {
    };
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0)
        return 0;
    return int(info.st_nlink);
}

FileIdentity ContactsFile::identity() const
{
    return {m_device, m_inode, count()};
}

Status ContactsFile::checkRewritable() const
{
    if (m_lockDepth == 0 || m_lockKind != LockKind::Exclusive)
        return errors::invalidProcedureCall();
    if (Status writable = checkWritable(); !writable)
        return writable;
    if (!m_splitLinks && linkCount() > 1)
        return errors::fileHasLinks();
    return {};
}

Status ContactsFile::replaceWith(ReplacementFile& replacement)
{
    if (m_lockDepth == 0 || m_lockKind != LockKind::Exclusive)
        return errors::invalidProcedureCall();
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
    ::close(m_fd);
    m_fd = fd;
    m_device = info.st_dev;
    m_inode = info.st_ino;
    return {};
}

void ContactsFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_path.clear();
    m_nativePath.clear();
    m_readOnly = false;
    m_device = m_inode = 0;
    m_lockDepth = 0;
    m_splitLinks = false;
    forgetShownRecord();
}

bool ContactsFile::isOpen() const
{
    return m_fd >= 0;
}

bool ContactsFile::isReadOnly() const
{
    return m_readOnly;
}

QString ContactsFile::path() const
{
    return m_path;
}

qint64 ContactsFile::size() const
{
    struct stat info
    {
    };
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0)
        return -1;
    return info.st_size;
}

int ContactsFile::countForLength(qint64 length)
{
    if (length <= 0)
        return 0;
    qint64 count = length / recordSize;
    const qint64 rest = length % recordSize;
    if (rest * 2 > recordSize || (rest * 2 == recordSize && count % 2 == 1))
        ++count;
    return int(std::min<qint64>(count, INT_MAX));
}

int ContactsFile::count() const
{
    return countForLength(size());
}

ContactRecord ContactsFile::read(int number) const
{
    Result<ContactRecord> record = readChecked(number);
    return record ? std::move(record).value() : ContactRecord::fromBytes(QByteArray());
}

Result<ContactRecord> ContactsFile::readChecked(int number) const
{
    const Result<QByteArray> bytes = readBytes(number);
    if (!bytes)
        return bytes.status();
    return ContactRecord::fromBytes(*bytes);
}

Result<QByteArray> ContactsFile::readBytes(int number) const
{
    QByteArray bytes;
    const Status read = readUnremembered(number, bytes);
    m_shownNumber = read ? number : 0;
    m_shownBytes = read ? bytes : QByteArray();
    if (!read)
        return read;
    return bytes;
}

void ContactsFile::forgetShownRecord() const
{
    m_shownNumber = 0;
    m_shownBytes.clear();
}

Status ContactsFile::readUnremembered(int number, QByteArray& bytes) const
{
    bytes = QByteArray(recordSize, ' ');
    if (number < 1)
        return errors::badRecordNumber();
    const ContactsFileLock locked(*this, LockKind::Shared);
    if (!locked.status())
        return locked.status();
    return readAt(offsetOf(number), bytes.data(), recordSize);
}

Status ContactsFile::forEach(const std::function<bool(int, const ContactRecord&)>& visit, int first, int last) const
{
    return forEachBytes(
        [&](int number, QByteArrayView bytes) { return visit(number, ContactRecord::fromBytes(bytes)); }, first, last);
}

Status ContactsFile::forEachBytes(const std::function<bool(int, QByteArrayView)>& visit, int first, int last) const
{
    if (m_fd < 0)
        return errors::pathFileAccess();
    if (first < 1)
        return errors::badRecordNumber();
    const ContactsFileLock locked(*this, LockKind::Shared);
    if (!locked.status())
        return locked.status();
    if (last == 0)
        last = count();
    QByteArray buffer(std::min<qint64>(chunkRecords, std::max(0, last - first + 1)) * recordSize, Qt::Uninitialized);
    for (qint64 number = first; number <= last;) {
        const qint64 records = std::min<qint64>(chunkRecords, last - number + 1);
        if (Status status = readAt(offsetOf(int(number)), buffer.data(), records * recordSize); !status)
            return status;
        for (qint64 i = 0; i < records; ++i, ++number) {
            if (!visit(int(number), QByteArrayView(buffer.constData() + i * recordSize, recordSize)))
                return {};
        }
    }
    return {};
}

Status ContactsFile::write(int number, const ContactRecord& record)
{
    if (number < 1)
        return errors::badRecordNumber();
    const ContactsFileLock locked(*this, LockKind::Exclusive);
    if (!locked.status())
        return locked.status();
    if (Status status = checkWritable(); !status)
        return status;
    if (number == m_shownNumber) {
        QByteArray now;
        if (Status read = readUnremembered(number, now); !read)
            return read;
        if (now != m_shownBytes)
            return errors::recordChanged();
    }
    const QByteArray bytes = record.toBytes();
    if (Status written = putRecord(offsetOf(number), bytes, false, true); !written)
        return written;
    if (number == m_shownNumber)
        m_shownBytes = bytes;
    return {};
}

Status ContactsFile::writeIfUnchanged(int number, const QByteArray& shown, const ContactRecord& record)
{
    const ContactsFileLock locked(*this, LockKind::Exclusive);
    if (!locked.status())
        return locked.status();
    QByteArray now;
    if (Status read = readUnremembered(number, now); !read)
        return read;
    // A record past the end reads as spaces, which no record shown can be.
    if (now != shown || number > count())
        return errors::recordChanged();
    m_shownNumber = number;
    m_shownBytes = shown;
    return write(number, record);
}

Status ContactsFile::append(const ContactRecord& record, int* newNumber)
{
    const ContactsFileLock locked(*this, LockKind::Exclusive);
    if (!locked.status())
        return locked.status();
    if (Status status = checkWritable(); !status)
        return status;
    const int number = count();
    if (number == INT_MAX)
        return errors::badRecordNumber();
    // At count() x 400, not at the end: a torn tail is overwritten by a whole record.
    if (Status status = putRecord(qint64(number) * recordSize, record.toBytes(), true, true); !status)
        return status;
    if (newNumber)
        *newNumber = number + 1;
    return {};
}

Status ContactsFile::writeField(int number, Field field, const QString& value)
{
    if (number < 1)
        return errors::badRecordNumber();
    const ContactsFileLock locked(*this, LockKind::Exclusive);
    if (!locked.status())
        return locked.status();
    if (Status status = checkWritable(); !status)
        return status;
    return putField(number, field, encodeField(field, value), true);
}

Status ContactsFile::writeFieldInAll(Field field, const QString& value)
{
    const ContactsFileLock locked(*this, LockKind::Exclusive);
    if (!locked.status())
        return locked.status();
    if (Status status = checkWritable(); !status)
        return status;
    const QByteArray bytes = encodeField(field, value);
    const FieldLayout layout = fieldLayout(field);
    const int last = count();
    // Whole records are patched a chunk at a time (one read and one write per chunk
    // instead of one write per record); the bytes around the field are written back
    // as they were read.
    const int whole = int(std::min<qint64>(size() / recordSize, last));
    QByteArray buffer;
    for (int number = 1; number <= whole;) {
        const qint64 records = std::min<qint64>(chunkRecords, whole - number + 1);
        buffer.resize(records * recordSize);
        Status status = readAt(offsetOf(number), buffer.data(), buffer.size());
        for (qint64 i = 0; status && i < records; ++i)
            std::memcpy(buffer.data() + i * recordSize + layout.offset, bytes.constData(), size_t(layout.width));
        if (status)
            status = writeAt(offsetOf(number), buffer);
        if (!status)
            return status;
        number += int(records);
    }
    for (int number = whole + 1; number <= last; ++number) {
        if (Status status = putField(number, field, bytes, false); !status)
            return status;
    }
    return syncData();
}

Status ContactsFile::checkWritable() const
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

Status ContactsFile::putRecord(qint64 offset, QByteArrayView bytes, bool dropTornTail, bool sync)
{
    const qint64 oldSize = size();
    if (oldSize < 0)
        return errorFromErrno(errno);
    Status status;
    // A gap before the record gets the bytes of blank records (spaces, separators, line
    // ends), so a partial record before it reads as blank as before, and stays whole.
    for (qint64 at = oldSize; status && at < offset;) {
        const qint64 length = std::min<qint64>(offset - at, chunkRecords * recordSize);
        status = writeAt(at, blankBytes(at, length));
        at += length;
    }
    if (status)
        status = writeAt(offset, bytes);
    if (status && sync)
        status = syncData();
    if (!status && offset + bytes.size() > oldSize) {
        // Leave only what was there before, and no torn record at the end.
        const qint64 keep = dropTornTail ? std::min(oldSize, offset) : oldSize;
        (void)retrySystemCall([&] { return ::ftruncate(m_fd, keep); });
    }
    return status;
}

Status ContactsFile::putField(int number, Field field, const QByteArray& bytes, bool sync)
{
    const qint64 offset = offsetOf(number);
    const FieldLayout layout = fieldLayout(field);
    if (offset + recordSize > size()) {
        // The record lies (partly) past the end: write it whole, keeping the bytes it has.
        QByteArray record = blankBytes(offset, recordSize);
        const qint64 present = std::clamp<qint64>(size() - offset, 0, recordSize);
        if (Status status = readAt(offset, record.data(), present); !status)
            return status;
        record.replace(layout.offset, layout.width, bytes);
        return putRecord(offset, record, false, sync);
    }
    Status status = writeAt(offset + layout.offset, bytes);
    if (status && sync)
        status = syncData();
    return status;
}

Status ContactsFile::readAt(qint64 offset, char* buffer, qint64 length) const
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

Status ContactsFile::writeAt(qint64 offset, QByteArrayView bytes) const
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

Status ContactsFile::syncData()
{
    if (retrySystemCall([&] { return ::fdatasync(m_fd); }) != 0 && errno != EINVAL)
        return errorFromErrno(errno);
    return {};
}

} // namespace quillet
