#include "core/editing/ContactDeletion.h"

#include "core/common/FileErrors.h"
#include "core/common/ReplacementFile.h"
#include "core/contacts/ContactsFile.h"

#include <QFileDevice>
#include <QStringList>

namespace quillet {

QString confirmDeletionTextFor(const QString& firstName, const QString& mi, const QString& lastName)
{
    const QStringList parts = QStringList{firstName.trimmed(), mi.trimmed(), lastName.trimmed()};
    QStringList named;
    for (const QString& part : parts) {
        if (!part.isEmpty())
            named << part;
    }
    return confirmDeletionText + QStringLiteral("\r\n\r\n") + named.join(u' ');
}

namespace {

Status writeFailure(const QIODevice& out)
{
    if (const auto* file = qobject_cast<const QFileDevice*>(&out); file && file->error() != QFileDevice::NoError)
        return errorFromFileDevice(*file);
    return errors::deviceIO();
}

Status passed(const DeletionCheckpoint& checkpoint, DeletionStep step)
{
    return checkpoint ? checkpoint(step) : Status::success();
}

// The checks a deletion makes under the lock, before it writes anything.
Status checkDeletable(const ContactsFile& file, int number, const QByteArray& shown)
{
    if (number < 1 || number > file.count())
        return shown.isEmpty() ? Status(errors::badRecordNumber()) : Status(errors::recordChanged());
    if (shown.isEmpty())
        return {};
    const Result<QByteArray> now = file.readBytes(number);
    if (!now)
        return now.status();
    return *now == shown ? Status() : Status(errors::recordChanged());
}

} // namespace

Status writeCompacted(const ContactsFile& file, int skipped, const RecordSink& out)
{
    // Every byte of the file is kept, even a short last record that the rounded
    // record count would leave out.
    const qint64 length = file.byteSize();
    const int last = static_cast<int>((length + recordSize - 1) / recordSize);
    if (last == 0)
        return Status::success();
    Status written;
    const QByteArray marker = deletedMarker.toLatin1();
    const Status read = file.forEachBytes(
        [&](int number, QByteArrayView bytes) {
            if (number == skipped || bytes.startsWith(marker))
                return true;
            // A short last record is completed as a blank record would be, line end included.
            QByteArray completed;
            if (const qint64 present = length - qint64(number - 1) * recordSize; present < recordSize)
                bytes = completed = completedRecord(bytes.first(present));
            written = out(bytes);
            return written.ok();
        },
        1, last);
    return read.ok() ? written : read;
}

Status writeCompacted(const ContactsFile& file, int skipped, QIODevice& out)
{
    return writeCompacted(file, skipped, [&out](QByteArrayView bytes) {
        return out.write(bytes.data(), bytes.size()) == bytes.size() ? Status() : writeFailure(out);
    });
}

Status deleteRecord(ContactsFile& file, int number, const DeletionCheckpoint& checkpoint, const QByteArray& shown)
{
    if (!file.isOpen())
        return errors::pathFileAccess();
    // Held from reading the records to the rename: no other program's write falls
    // between them, and one that replaced the file before is followed to the new one.
    const ContactsFileLock locked(file, LockKind::Exclusive, WriteCheck::Rewritable);
    if (!locked.status())
        return locked.status();
    if (Status deletable = checkDeletable(file, number, shown); !deletable)
        return deletable;
    if (Status step = passed(checkpoint, DeletionStep::OpenTemporary); !step)
        return step;
    ReplacementFile compacted(file.nativePath());
    if (Status opened = compacted.open(); !opened)
        return opened;
    if (Status step = passed(checkpoint, DeletionStep::CopyRecords); !step)
        return step;
    if (Status copied = writeCompacted(file, number, [&](QByteArrayView bytes) { return compacted.write(bytes); });
        !copied)
        return copied;
    if (Status step = passed(checkpoint, DeletionStep::Commit); !step)
        return step;
    if (Status replaced = file.replaceWith(compacted); !replaced)
        return replaced;
    if (Status step = passed(checkpoint, DeletionStep::Reopen); !step) {
        file.close();
        return step;
    }
    return {};
}

} // namespace quillet
