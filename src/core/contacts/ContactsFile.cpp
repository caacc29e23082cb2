#include "core/contacts/ContactsFile.h"

#include "core/common/FileErrors.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace quillet {

namespace {

// About 1 MiB of whole records per read: large enough that a scan of 100,000
// records takes a few dozen system calls, small enough for any file size.
constexpr qint64 chunkRecords = 2621;
// Reading a record nobody asked for costs about a tenth of a system call (a
// sequential read of 100,000 records takes 10 ms, 100,000 reads of one 113 ms):
// records this close together are read in one call, the gap with them.
constexpr int gapRecords = 8;

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

} // namespace

FileIdentity ContactsFile::identity() const
{
    return {device(), inode(), count()};
}

FileVersion ContactsFile::version() const
{
    return {device(), inode(), byteSize()};
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
    return countForLength(byteSize());
}

Result<ContactRecord> ContactsFile::read(int number) const
{
    const Result<QByteArray> bytes = readBytes(number);
    if (!bytes)
        return bytes.status();
    return ContactRecord::fromBytes(*bytes);
}

Result<QByteArray> ContactsFile::readBytes(int number) const
{
    if (number < 1)
        return errors::badRecordNumber();
    const ContactsFileLock locked(*this, LockKind::Shared);
    if (!locked.status())
        return locked.status();
    return readLocked(number);
}

Result<QByteArray> ContactsFile::readLocked(int number) const
{
    QByteArray bytes(recordSize, ' ');
    if (Status read = readAt(offsetOf(number), bytes.data(), recordSize); !read)
        return read;
    return bytes;
}

Status ContactsFile::forEach(const std::function<bool(int, const ContactRecord&)>& visit, int first, int last) const
{
    return forEachBytes(
        [&](int number, QByteArrayView bytes) { return visit(number, ContactRecord::fromBytes(bytes)); }, first, last);
}

Status ContactsFile::forEachBytes(const std::function<bool(int, QByteArrayView)>& visit, int first, int last) const
{
    if (!isOpen())
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

Status ContactsFile::readNumbered(std::span<const int> numbers, const FileVersion& expected,
                                  const std::function<bool(qsizetype, QByteArrayView)>& visit) const
{
    if (!isOpen())
        return errors::pathFileAccess();
    if (!numbers.empty() && numbers.front() < 1)
        return errors::badRecordNumber();
    const ContactsFileLock locked(*this, LockKind::Shared);
    if (!locked.status())
        return locked.status();
    if (version() != expected)
        return errors::fileChanged();
    QByteArray buffer;
    for (std::size_t first = 0; first < numbers.size();) {
        // A run of records from numbers[first] on, the gaps between them small.
        std::size_t end = first + 1;
        while (end < numbers.size() && numbers[end] >= numbers[end - 1] &&
               numbers[end] - numbers[end - 1] <= gapRecords && numbers[end] - numbers[first] < chunkRecords)
            ++end;
        if (end < numbers.size() && numbers[end] < numbers[end - 1])
            return errors::invalidProcedureCall(); // not ascending
        buffer.resize(qsizetype(numbers[end - 1] - numbers[first] + 1) * recordSize);
        if (Status read = readAt(offsetOf(numbers[first]), buffer.data(), buffer.size()); !read)
            return read;
        for (std::size_t i = first; i < end; ++i) {
            const qsizetype at = qsizetype(numbers[i] - numbers[first]) * recordSize;
            if (!visit(qsizetype(i), QByteArrayView(buffer.constData() + at, recordSize)))
                return {};
        }
        first = end;
    }
    return {};
}

Status ContactsFile::write(int number, const ContactRecord& record)
{
    if (number < 1)
        return errors::badRecordNumber();
    const ContactsFileLock locked(*this, LockKind::Exclusive, WriteCheck::Writable);
    if (!locked.status())
        return locked.status();
    return putRecord(offsetOf(number), record.toBytes(), false, true);
}

Status ContactsFile::writeIfUnchanged(int number, const QByteArray& shown, const ContactRecord& record)
{
    if (number < 1)
        return errors::badRecordNumber();
    const ContactsFileLock locked(*this, LockKind::Exclusive, WriteCheck::Writable);
    if (!locked.status())
        return locked.status();
    const Result<QByteArray> now = readLocked(number);
    if (!now)
        return now.status();
    // A record past the end reads as spaces, which no record shown can be.
    if (*now != shown || number > count())
        return errors::recordChanged();
    return putRecord(offsetOf(number), record.toBytes(), false, true);
}

Result<int> ContactsFile::append(const ContactRecord& record)
{
    const ContactsFileLock locked(*this, LockKind::Exclusive, WriteCheck::Writable);
    if (!locked.status())
        return locked.status();
    const int number = count();
    if (number == INT_MAX)
        return errors::badRecordNumber();
    // At count() x 400, not at the end: a torn tail is overwritten by a whole record.
    if (Status status = putRecord(qint64(number) * recordSize, record.toBytes(), true, true); !status)
        return status;
    return number + 1;
}

Status ContactsFile::writeField(int number, Field field, const QString& value)
{
    if (number < 1)
        return errors::badRecordNumber();
    const ContactsFileLock locked(*this, LockKind::Exclusive, WriteCheck::Writable);
    if (!locked.status())
        return locked.status();
    return putField(number, field, encodeField(field, value), true);
}

Status ContactsFile::writeFieldInAll(Field field, const QString& value)
{
    const ContactsFileLock locked(*this, LockKind::Exclusive, WriteCheck::Writable);
    if (!locked.status())
        return locked.status();
    const QByteArray bytes = encodeField(field, value);
    const FieldLayout layout = fieldLayout(field);
    const int last = count();
    // Whole records are patched a chunk at a time (one read and one write per chunk
    // instead of one write per record); the bytes around the field are written back
    // as they were read.
    const int whole = int(std::min<qint64>(byteSize() / recordSize, last));
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

Status ContactsFile::putRecord(qint64 offset, QByteArrayView bytes, bool dropTornTail, bool sync)
{
    const qint64 oldSize = byteSize();
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
        truncate(dropTornTail ? std::min(oldSize, offset) : oldSize);
    }
    return status;
}

Status ContactsFile::putField(int number, Field field, const QByteArray& bytes, bool sync)
{
    const qint64 offset = offsetOf(number);
    const FieldLayout layout = fieldLayout(field);
    const qint64 size = byteSize();
    if (offset + recordSize > size) {
        // The record lies (partly) past the end: write it whole, keeping the bytes it has.
        QByteArray record = blankBytes(offset, recordSize);
        const qint64 present = std::clamp<qint64>(size - offset, 0, recordSize);
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

} // namespace quillet
