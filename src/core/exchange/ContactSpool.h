#pragma once

#include "core/common/AppError.h"
#include "core/contacts/ContactRecord.h"
#include "core/exchange/ImportChanges.h"

#include <QByteArray>
#include <QTemporaryFile>

#include <memory>

namespace quillet {

// The contacts an import has read, kept in order until they are tested against the
// contacts file and appended. The source is read before the file is locked, so its
// contacts must wait somewhere: the first few megabytes in memory, the rest in a
// temporary file that goes with the spool, so memory does not grow with the source.
// Each is kept as the 400 bytes the file will hold, so that nothing is decoded again
// on the way in.
class ContactSpool
{
public:
    // Past this many bytes the contacts go to a temporary file.
    static constexpr qsizetype memoryLimit = 8 * 1024 * 1024;

    Status add(const ContactRecord& record, const ContactChanges& changes);
    int size() const { return m_count; }

    // Reading back, from the first contact on.
    Status rewind();
    // The next contact's record bytes, valid until the next call; false after the
    // last one or on a failure to read (status()).
    bool next(QByteArrayView& record, ContactChanges& changes);
    const Status& status() const { return m_status; }

private:
    Status spill();
    bool fillBuffer();

    QByteArray m_buffer;
    std::unique_ptr<QTemporaryFile> m_file;
    qsizetype m_read = 0; // read position in m_buffer
    int m_count = 0;
    Status m_status;
};

} // namespace quillet
