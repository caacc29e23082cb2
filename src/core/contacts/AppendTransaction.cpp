#include "core/contacts/AppendTransaction.h"

#include "core/contacts/ContactsFile.h"

#include <algorithm>

namespace quillet {

AppendTransaction::AppendTransaction(ContactsFile& file) : m_file(file), m_out(file.nativePath()) {}

AppendTransaction::~AppendTransaction()
{
    release();
}

void AppendTransaction::release()
{
    m_out.cancel();
    if (m_locked)
        m_file.unlock();
    m_locked = false;
}

Status AppendTransaction::begin()
{
    if (Status locked = m_file.lock(LockKind::Exclusive, WriteCheck::Rewritable); !locked)
        return locked;
    m_locked = true;
    if (Status opened = m_out.open(); !opened)
        return opened;
    const qint64 length = m_file.byteSize();
    if (length < 0)
        return errors::deviceIO();
    m_existing = m_file.count();
    const qint64 whole = length / recordSize * recordSize;
    if (Status copied = m_file.copyInto(m_out, whole); !copied) {
        m_failed = true;
        return copied;
    }
    // A partial last record counts as a record only when it is more than half one
    // (see ContactsFile::countForLength); a shorter one is dropped, as append() would.
    if (qint64(m_existing) * recordSize == whole)
        return {};
    QByteArray partial(length - whole, Qt::Uninitialized);
    if (Status read = m_file.readAt(whole, partial.data(), partial.size()); !read)
        return read;
    return write(completedRecord(partial));
}

Status AppendTransaction::append(const ContactRecord& record)
{
    return append(record.toBytes());
}

Status AppendTransaction::append(QByteArrayView recordBytes)
{
    Q_ASSERT(recordBytes.size() == recordSize);
    if (!m_failed && qint64(m_existing) + m_appended >= maxRecordsInMemory) {
        m_failed = true;
        return errors::recordCapReached();
    }
    if (Status written = write(recordBytes); !written)
        return written;
    ++m_appended;
    return {};
}

Status AppendTransaction::commit()
{
    if (m_failed || m_appended == 0 || !m_locked) {
        release();
        m_appended = 0;
        return {};
    }
    const Status replaced = m_file.replaceWith(m_out);
    release();
    if (!replaced)
        m_appended = 0;
    return replaced;
}

Status AppendTransaction::write(QByteArrayView bytes)
{
    if (m_failed)
        return errors::diskFull();
    Status written = m_out.write(bytes);
    m_failed = !written.ok();
    return written;
}

} // namespace quillet
