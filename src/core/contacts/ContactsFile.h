#pragma once

#include "core/common/AppError.h"
#include "core/common/FileLock.h"
#include "core/common/Result.h"
#include "core/contacts/ContactRecord.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

namespace quillet {

// Commands that keep something of every record in memory at once (the contact list,
// the find box, the import's duplicate test) stop with "Out of memory" past this many
// records instead of exhausting the machine. An address book holds thousands; a
// damaged or hostile file of a few gigabytes counts millions.
inline constexpr int maxRecordsInMemory = 500000;

class ReplacementFile;

// Which file a window's view was taken from: the file (device and inode) and its
// record count. A list whose identity no longer matches is refilled before use.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    int count = 0;
    bool operator==(const FileIdentity&) const = default;
};

enum class Creation { ExistingOnly, CreateIfMissing };

// The open contacts file: fixed 400-byte records addressed by number from 1.
// There is one at a time, shared by every window through the Session.
//
// Other programs (a second copy, the command line) may use the file at the same
// time. Every write holds an exclusive lock on it and every consistent reading a
// shared one (see FileLock). Taking the lock also makes sure the path still names
// the open file: when another program replaced it by rename (a deletion or an
// import), the new file is opened and locked instead; when the path names nothing,
// "File not found" is returned and nothing is written. The descriptor and identity
// change then, even through a const object: they follow the file at the path.
class ContactsFile
{
public:
    ContactsFile();
    ~ContactsFile();
    ContactsFile(const ContactsFile&) = delete;
    ContactsFile& operator=(const ContactsFile&) = delete;

    // Opens an existing file for reading and writing, or for reading only when it
    // cannot be written; with CreateIfMissing (File > New) creates an empty file when
    // none exists. Only regular files open. While read-only, every write fails with
    // "Permission denied" and changes nothing. The path may carry raw bytes (NativePath).
    // Temporary copies that stopped rewrites left beside the file are removed.
    Status open(const QString& path, Creation creation = Creation::ExistingOnly);
    void close();
    bool isOpen() const;
    bool isReadOnly() const;
    QString path() const;
    QByteArray nativePath() const { return m_nativePath; }
    // Bytes on file now, and the number of names (hard links) the file has.
    qint64 byteSize() const { return size(); }
    int linkCount() const;
    FileIdentity identity() const;

    // Locks nest: an inner lock of the same or weaker kind only counts. A shared lock
    // held is converted when an exclusive one is asked for.
    Status lock(LockKind kind) const;
    void unlock() const;
    bool isLocked() const { return m_lockDepth > 0; }
    // Reopens the file if its path names a different file now ("File not found"
    // when it names none). Windows call it before each command.
    Status refresh() const;

    // A whole-file rewrite gives the file a new inode: other names of a file with hard
    // links would keep the old contents. Rewrites refuse such a file unless allowed.
    void setSplittingLinksAllowed(bool allowed) { m_splitLinks = allowed; }
    // Within an exclusive lock: the file may be rewritten as a whole.
    Status checkRewritable() const;
    // Within an exclusive lock: puts the finished replacement in place of the file
    // and carries on with it, still locked. The old file's lock goes with it.
    Status replaceWith(ReplacementFile& replacement);

    // File length / 400, rounded half to even (capped at the largest int).
    int count() const;
    static int countForLength(qint64 length);

    // Reading past the end is no failure: missing bytes read as spaces.
    // A number below 1 is "Bad record number".
    ContactRecord read(int number) const;
    Result<ContactRecord> readChecked(int number) const;
    // The 400 bytes of record n as stored (spaces past the end): what a window
    // remembers of the record it shows.
    Result<QByteArray> readBytes(int number) const;
    // The record read last (by read, readChecked or readBytes) is the one a window
    // shows: write() and deleteRecord() of that record number go ahead only while its
    // bytes on file are still those read, else "This contact was changed by another
    // program. Reload it?". 0 when none.
    int shownRecord() const { return m_shownNumber; }
    QByteArray shownBytes() const { return m_shownBytes; }
    void forgetShownRecord() const;

    // Reads records first..last (last 0: up to count()) in one pass, in large chunks
    // and never the whole file at once (fast path for lists, export, reminders).
    // The callback returns false to stop early.
    Status forEach(const std::function<bool(int number, const ContactRecord& record)>& visit, int first = 1,
                   int last = 0) const;
    // The same over each record's 400 raw bytes (padded with spaces past the end),
    // for scans that look at a few fields only. The view is valid during the call.
    Status forEachBytes(const std::function<bool(int number, QByteArrayView bytes)>& visit, int first = 1,
                        int last = 0) const;

    // Writes reach the disk before success is reported.
    Status write(int number, const ContactRecord& record);
    // Writes record n only if its bytes are still `shown` (those the window read);
    // otherwise "This contact was changed by another program. Reload it?" and
    // nothing is written.
    Status writeIfUnchanged(int number, const QByteArray& shown, const ContactRecord& record);
    // Writes as record count() + 1; on a file whose length is not a multiple of 400
    // the record lands on the boundary the count gives, so later records are whole.
    Status append(const ContactRecord& record, int* newNumber = nullptr);
    // Rewrites one byte-exact field of record n, every other byte unchanged
    // (the reminder switch and the deletion marker).
    Status writeField(int number, Field field, const QString& value);
    // writeField on every record from 1 to count(), in large chunks, forced to disk once
    // at the end. A failure leaves earlier records changed and later ones unchanged.
    Status writeFieldInAll(Field field, const QString& value);

    // Whether a write may go ahead: the file is open, writable, and still the file at
    // its path. Writing to one that was removed or replaced since it was opened would
    // report success for data nobody will see again, or overwrite the newcomer.
    Status checkWritable() const;

private:
    Status openNative(const QByteArray& native, Creation creation) const;
    Status reopen() const;
    // Whether the path still names the open file; "File not found" when it names none.
    Status pathNamesOpenFile(bool& same) const;
    void removeLeftovers() const;
    qint64 size() const;
    // Writes a record's bytes at offset; on failure a file it extended gets its old
    // length back (or, with dropTornTail, no partial record at the end).
    Status putRecord(qint64 offset, QByteArrayView bytes, bool dropTornTail, bool sync);
    Status putField(int number, Field field, const QByteArray& bytes, bool sync);
    Status readAt(qint64 offset, char* buffer, qint64 length) const;
    Status readUnremembered(int number, QByteArray& bytes) const;
    Status writeAt(qint64 offset, QByteArrayView bytes) const;
    Status syncData();

    // The descriptor and its identity follow the file at the path (see above).
    mutable int m_fd = -1;
    QString m_path;
    QByteArray m_nativePath;
    mutable bool m_readOnly = false;
    mutable quint64 m_device = 0;
    mutable quint64 m_inode = 0;
    mutable int m_lockDepth = 0;
    mutable LockKind m_lockKind = LockKind::Shared;
    bool m_splitLinks = false;
    mutable int m_shownNumber = 0;
    mutable QByteArray m_shownBytes;
};

// Holds a lock for a scope; status() says whether it was taken.
class ContactsFileLock
{
public:
    ContactsFileLock(const ContactsFile& file, LockKind kind) : m_file(file), m_status(file.lock(kind)) {}
    ~ContactsFileLock()
    {
        if (m_status)
            m_file.unlock();
    }
    ContactsFileLock(const ContactsFileLock&) = delete;
    ContactsFileLock& operator=(const ContactsFileLock&) = delete;
    const Status& status() const { return m_status; }

private:
    const ContactsFile& m_file;
    Status m_status;
};

} // namespace quillet
