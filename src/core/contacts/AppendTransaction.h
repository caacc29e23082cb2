#pragma once

#include "core/common/AppError.h"
#include "core/common/ReplacementFile.h"
#include "core/contacts/ContactRecord.h"

namespace quillet {

class ContactsFile;

// Appends a run of records so that the contacts file gains them all at once: they
// are written after a copy of its records into a new file, which takes the file's
// name on commit, and `file` carries on with the new file. A process killed half
// way, or a write that fails, leaves the file as it was. Appending in place cannot
// promise that: the kernel may stop a write that is killed at any page boundary,
// and 400-byte records straddle them, leaving half a record at the end.
// The file stays locked exclusively from begin() until commit() or destruction.
class AppendTransaction
{
public:
    explicit AppendTransaction(ContactsFile& file);
    ~AppendTransaction();
    AppendTransaction(const AppendTransaction&) = delete;
    AppendTransaction& operator=(const AppendTransaction&) = delete;

    // Locks the file and starts the new file with the records on file as append()
    // would leave them (a partial last record completed with the bytes of a blank
    // record). Fails when the file cannot be written, is gone, has other names
    // (hard links) that may not be split, or is in use by another program.
    Status begin();
    // Adds a record after those on file and those appended before. The file may not
    // grow past maxRecordsInMemory records, beyond which it could not be listed.
    Status append(const ContactRecord& record);
    // The same for a record already in its 400 bytes.
    Status append(QByteArrayView recordBytes);
    // Puts the new file in place of the old one; with no record appended nothing
    // changes. After a failed append nothing is put in place and appended() becomes
    // 0. Not committing leaves the file as it was.
    Status commit();
    int appended() const { return m_appended; }

private:
    Status write(QByteArrayView bytes);
    void release();

    ContactsFile& m_file;
    ReplacementFile m_out;
    bool m_locked = false;
    int m_existing = 0;
    int m_appended = 0;
    bool m_failed = false;
};

} // namespace quillet
