#pragma once

#include "core/common/AppError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

class QIODevice;

namespace quillet {

class ContactsFile;

inline const QString confirmDeletionText =
    QStringLiteral("WARNING!  This will delete entire contact from your file.\r\n"
                   "Do you REALLY want to delete this contact?");
// The question names the contact on a line of its own, so the user sees whom it removes.
QString confirmDeletionTextFor(const QString& firstName, const QString& mi, const QString& lastName);
inline const QString confirmDeletionTitle = QStringLiteral("Confirm deletion.");
inline const QString nothingDeletedText = QStringLiteral("Nothing deleted...");
inline const QString nothingDeletedTitle = QStringLiteral("Deletion not performed.");
inline const QString contactDeletedText = QStringLiteral("Contact deleted!");
inline const QString contactDeletedTitle = QStringLiteral("Contact deleted.");

// The points a deletion passes, in order; tests make it fail at each of them.
enum class DeletionStep { OpenTemporary, CopyRecords, Commit, Reopen };
using DeletionCheckpoint = std::function<Status(DeletionStep)>;

// Writes every record of `file` except record `skipped` and records carrying the
// deletion marker to `out`, unchanged and in order. A short last record (a file
// whose length is not a multiple of 400) is kept, completed with the bytes of a
// blank record as appending completes it.
using RecordSink = std::function<Status(QByteArrayView bytes)>;
Status writeCompacted(const ContactsFile& file, int skipped, const RecordSink& out);
Status writeCompacted(const ContactsFile& file, int skipped, QIODevice& out);

// Removes record `number` from the open file: the records after it move down by
// one. Under the file's exclusive lock the shortened file is built beside it,
// starting empty, and takes its name in one atomic rename; `file` carries on with
// it. On any failure before the rename the contacts file is left byte for byte as
// it was and still open, and no temporary file remains. If only the carrying on
// fails, the shortened file is in place and `file` is closed.
// With `shown` (the record's bytes as a window read them), a record that changed
// since is not deleted: "This contact was changed by another program. Reload it?".
Status deleteRecord(ContactsFile& file, int number, const DeletionCheckpoint& checkpoint = {},
                    const QByteArray& shown = {});

} // namespace quillet
