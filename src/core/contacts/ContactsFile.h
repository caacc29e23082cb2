#pragma once

#include "core/common/AppError.h"
#include "core/common/FileLock.h"
#include "core/common/PathBoundFile.h"
#include "core/common/Result.h"
#include "core/common/ScopedFileLock.h"
#include "core/contacts/ContactRecord.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <span>

namespace quillet {

// Commands that keep something of every record in memory at once (the contact list,
// the find box, the import's duplicate test) stop with "Out of memory" past this many
// records instead of exhausting the machine. An address book holds thousands; a
// damaged or hostile file of a few gigabytes counts millions.
inline constexpr int maxRecordsInMemory = 500000;

// Which file a window's view was taken from: the file (device and inode) and its
// record count. A list whose identity no longer matches is refilled before use.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    int count = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Which file a reading saw and how long it was. A job that reads the file in more
// than one pass checks that every pass sees the same.
struct FileVersion
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 length = 0;
    bool operator==(const FileVersion&) const = default;
};

using ContactsFileLock = ScopedFileLock;

// The open contacts file: fixed 400-byte records addressed by number from 1, on top
// of the path-bound file (its descriptor, locks and replacement; see PathBoundFile
// for the locking rules). There is one at a time, shared by every window through
// the Session. Every reading holds a shared lock and every write the writers' and
// an exclusive one; a caller that must not overwrite a record changed by another
// program passes the bytes it showed (writeIfUnchanged, deleteRecord).
class ContactsFile : public PathBoundFile
{
public:
    FileIdentity identity() const;
    FileVersion version() const;

    // File length / 400, rounded half to even (capped at the largest int).
    int count() const;
    static int countForLength(qint64 length);

    // Record n; reading past the end is no failure: missing bytes read as spaces.
    // A number below 1 is "Bad record number".
    Result<ContactRecord> read(int number) const;
    // The 400 bytes of record n as stored (spaces past the end): what a window
    // remembers of the record it shows.
    Result<QByteArray> readBytes(int number) const;

    // Reads records first..last (last 0: up to count()) in one pass, in large chunks
    // and never the whole file at once (fast path for lists, export, reminders).
    // The callback returns false to stop early.
    Status forEach(const std::function<bool(int number, const ContactRecord& record)>& visit, int first = 1,
                   int last = 0) const;
    // The same over each record's 400 raw bytes (padded with spaces past the end),
    // for scans that look at a few fields only. The view is valid during the call.
    Status forEachBytes(const std::function<bool(int number, QByteArrayView bytes)>& visit, int first = 1,
                        int last = 0) const;

    // Reads the records numbered `numbers` (ascending, repeats allowed) under one
    // shared lock, once the file is found to be still `expected` (errors::fileChanged()
    // when not). Records near one another come in one read: a scattered set costs
    // about one system call a record, a dense one one a chunk. visit(i, bytes) gets
    // record numbers[i] (spaces past the end) and returns false to stop early.
    Status readNumbered(std::span<const int> numbers, const FileVersion& expected,
                        const std::function<bool(qsizetype index, QByteArrayView bytes)>& visit) const;

    // Writes record n, whatever it holds now. Writes reach the disk before success
    // is reported.
    Status write(int number, const ContactRecord& record);
    // Writes record n only if its bytes are still `shown` (those the window read);
    // otherwise "This contact was changed by another program. Reload it?" and
    // nothing is written.
    Status writeIfUnchanged(int number, const QByteArray& shown, const ContactRecord& record);
    // Writes as record count() + 1 and gives its number; on a file whose length is not
    // a multiple of 400 the record lands on the boundary the count gives, so later
    // records are whole.
    Result<int> append(const ContactRecord& record);
    // Rewrites one byte-exact field of record n, every other byte unchanged
    // (the reminder switch and the deletion marker).
    Status writeField(int number, Field field, const QString& value);
    // writeField on every record from 1 to count(), in large chunks, forced to disk once
    // at the end. A failure leaves earlier records changed and later ones unchanged.
    Status writeFieldInAll(Field field, const QString& value);

private:
    // Writes a record's bytes at offset; on failure a file it extended gets its old
    // length back (or, with dropTornTail, no partial record at the end).
    Status putRecord(qint64 offset, QByteArrayView bytes, bool dropTornTail, bool sync);
    Status putField(int number, Field field, const QByteArray& bytes, bool sync);
    Result<QByteArray> readLocked(int number) const;
};

} // namespace quillet
