#pragma once

#include "common/AppError.h"
#include "common/Result.h"
#include "contacts/ContactRecord.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

namespace quillet {

// Commands that keep something of every record in memory at once (the contact list,
// the find box, the import's duplicate test) stop with "Out of memory" past this many
// records instead of exhausting the machine. An address book holds thousands; a
// damaged or hostile file of a few gigabytes counts millions.
inline constexpr int maxRecordsInMemory = 500000;

// The open contacts file: fixed 400-byte records addressed by number from 1.
// There is one at a time, shared by every window through the Session.
class ContactsFile
{
public:
    ContactsFile();
    ~ContactsFile();
    ContactsFile(const ContactsFile&) = delete;
    ContactsFile& operator=(const ContactsFile&) = delete;

    // Opens an existing file for reading and writing, or for reading only when it
    // cannot be written; creates an empty file when none exists. Only regular files
    // open. While read-only, every write fails with "Permission denied" and changes nothing.
    Status open(const QString& path);
    void close();
    bool isOpen() const;
    bool isReadOnly() const;
    QString path() const;

    // File length / 400, rounded half to even (capped at the largest int).
    int count() const;
    static int countForLength(qint64 length);

    // Reading past the end is no failure: missing bytes read as spaces.
    // A number below 1 is "Bad record number".
    ContactRecord read(int number) const;
    Result<ContactRecord> readChecked(int number) const;

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
    qint64 size() const;
    // Writes a record's bytes at offset; on failure a file it extended gets its old
    // length back (or, with dropTornTail, no partial record at the end).
    Status putRecord(qint64 offset, QByteArrayView bytes, bool dropTornTail, bool sync);
    Status putField(int number, Field field, const QByteArray& bytes, bool sync);
    Status readAt(qint64 offset, char* buffer, qint64 length) const;
    Status writeAt(qint64 offset, QByteArrayView bytes) const;
    Status syncData();

    int m_fd = -1;
    QString m_path;
    QByteArray m_nativePath;
    bool m_readOnly = false;
    // Identity of the opened file, to notice it being removed or replaced.
    quint64 m_device = 0;
    quint64 m_inode = 0;
};

} // namespace quillet
