#pragma once

#include "common/AppError.h"
#include "contacts/ContactRecord.h"

#include <QSaveFile>

namespace quillet {

class ContactsFile;

// Appends a run of records so that the contacts file gains them all at once: they
// are written after a copy of its records into a new file, which takes the file's
// name on commit, and the open file is then reopened. A process killed half way,
// or a write that fails, leaves the file as it was. Appending in place cannot
// promise that: the kernel may stop a write that is killed at any page boundary,
// and 400-byte records straddle them, leaving half a record at the end.
class AppendTransaction
{
public:
    explicit AppendTransaction(ContactsFile& file);
    AppendTransaction(const AppendTransaction&) = delete;
    AppendTransaction& operator=(const AppendTransaction&) = delete;

    // Starts the new file with the records on file as append() would leave them
    // (a partial last record completed with the bytes of a blank record). Fails
    // when the file cannot be written, or was removed or replaced since it was opened.
    Status begin();
    // Adds a record after those on file and those appended before.
    Status append(const ContactRecord& record);
    // Puts the new file in place of the old one and reopens `file` on it; with no
    // record appended nothing changes. After a failed append nothing is put in place
    // and appended() becomes 0. Not committing leaves the file as it was.
    Status commit();
    int appended() const { return m_appended; }

private:
    Status write(QByteArrayView bytes);

    ContactsFile& m_file;
    QSaveFile m_out;
    int m_appended = 0;
    bool m_failed = false;
};

} // namespace quillet
