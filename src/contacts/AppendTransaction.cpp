#include "contacts/AppendTransaction.h"

#include "common/FileErrors.h"
#include "common/SaveFiles.h"
#include "contacts/ContactsFile.h"

#include <QFileInfo>

#include <algorithm>

namespace quillet {

AppendTransaction::AppendTransaction(ContactsFile& file) : m_file(file), m_out(file.path()) {}

Status AppendTransaction::begin()
{
    if (Status writable = m_file.checkWritable(); !writable)
        return writable;
    // Unbuffered, a failed write shows at once rather than at commit.
    if (!m_out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return errorFromFileDevice(m_out);
    const qint64 length = QFileInfo(m_file.path()).size();
    const QByteArray blank = ContactRecord().toBytes();
    Status written;
    const Status read = m_file.forEachBytes([&](int number, QByteArrayView bytes) {
        const qint64 present = std::clamp<qint64>(length - qint64(number - 1) * recordSize, 0, recordSize);
        if (present == recordSize)
            written = write(bytes);
        else
            written = write(bytes.first(present).toByteArray() + blank.mid(present));
        return written.ok();
    });
    return read.ok() ? written : read;
}

Status AppendTransaction::append(const ContactRecord& record)
{
    if (Status written = write(record.toBytes()); !written)
        return written;
    ++m_appended;
    return {};
}

Status AppendTransaction::commit()
{
    if (m_failed || m_appended == 0) {
        m_out.cancelWriting();
        m_appended = 0;
        return {};
    }
    // The path must still lead to the file the records were copied from.
    if (Status writable = m_file.checkWritable(); !writable) {
        m_out.cancelWriting();
        return writable;
    }
    if (Status committed = commitSaveFile(m_out); !committed)
        return committed;
    const QString path = m_file.path();
    m_file.close();
    return m_file.open(path);
}

Status AppendTransaction::write(QByteArrayView bytes)
{
    if (!m_failed && m_out.write(bytes.data(), bytes.size()) == bytes.size())
        return {};
    m_failed = true;
    // A short write without an error is a full disk.
    return m_out.error() == QFileDevice::NoError ? Status(errors::diskFull()) : Status(errorFromFileDevice(m_out));
}

} // namespace quillet
