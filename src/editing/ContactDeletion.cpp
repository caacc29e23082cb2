#include "editing/ContactDeletion.h"

#include "common/FileErrors.h"
#include "common/SaveFiles.h"
#include "contacts/ContactsFile.h"

#include <QFileInfo>
#include <QSaveFile>
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

} // namespace

Status writeCompacted(const ContactsFile& file, int skipped, QIODevice& out)
{
    // Every byte of the file is kept, even a short last record that the rounded
    // record count would leave out.
    const qint64 length = QFileInfo(file.path()).size();
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
            if (out.write(bytes.data(), bytes.size()) != bytes.size()) {
                written = writeFailure(out);
                return false;
            }
            return true;
        },
        1, last);
    return read.ok() ? written : read;
}

Status deleteRecord(ContactsFile& file, int number, const DeletionCheckpoint& checkpoint)
{
    if (!file.isOpen())
        return errors::pathFileAccess();
    if (number < 1 || number > file.count())
        return errors::badRecordNumber();
    // The compacted copy is made from the open file and put at its path: if the path
    // now leads elsewhere, that would resurrect a removed file or overwrite a new one.
    if (Status writable = file.checkWritable(); !writable)
        return writable;
    const QString path = file.path();
    if (Status step = passed(checkpoint, DeletionStep::OpenTemporary); !step)
        return step;
    // QSaveFile writes a fresh temporary file in the same folder and renames it over
    // the contacts file on commit; until then the contacts file is untouched, and a
    // QSaveFile that is not committed removes its temporary file.
    QSaveFile compacted(path);
    if (!compacted.open(QIODevice::WriteOnly))
        return errorFromFileDevice(compacted);
    if (Status step = passed(checkpoint, DeletionStep::CopyRecords); !step)
        return step;
    if (Status copied = writeCompacted(file, number, compacted); !copied)
        return copied;
    if (Status step = passed(checkpoint, DeletionStep::Commit); !step)
        return step;
    if (Status committed = commitSaveFile(compacted); !committed)
        return committed;
    // The handle still points at the replaced file; only the path leads to the new one.
    file.close();
    if (Status step = passed(checkpoint, DeletionStep::Reopen); !step)
        return step;
    return file.open(path);
}

} // namespace quillet
