#pragma once

#include "common/AppError.h"
#include "contacts/ContactRecord.h"

#include <QFile>
#include <QString>

#include <functional>
#include <memory>

namespace quillet {

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
    // cannot be written; creates an empty file when none exists.
    Status open(const QString& path);
    void close();
    bool isOpen() const;
    bool isReadOnly() const;
    QString path() const;

    // File length / 400, rounded half to even.
    int count() const;

    // Reading past the end is no failure: missing bytes read as spaces.
    // A number below 1 is "Bad record number".
    ContactRecord read(int number) const;
    Status readChecked(int number, ContactRecord& record) const;

    // Reads records first..last in one pass (fast path for lists, export, reminders).
    // The callback returns false to stop early.
    Status forEach(const std::function<bool(int number, const ContactRecord& record)>& visit) const;

    // Writes reach the disk before success is reported.
    Status write(int number, const ContactRecord& record);
    // Writes as record count() + 1; on a file whose length is not a multiple of 400
    // the record lands on the boundary the count gives, so later records are whole.
    Status append(const ContactRecord& record, int* newNumber = nullptr);
    // Rewrites one byte-exact field of record n, every other byte unchanged
    // (the reminder switch and the deletion marker).
    Status writeField(int number, Field field, const QString& value);

private:
    std::unique_ptr<QFile> m_file;
    bool m_readOnly = false;
};

} // namespace quillet
