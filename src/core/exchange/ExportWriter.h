#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"
#include "core/contacts/ContactRecord.h"

#include <QByteArray>
#include <QByteArrayView>

#include <QString>

#include <functional>

namespace quillet {

class ContactsFile;
class WorkControl;

enum class ExportKind { Csv, Text, VCard };

// The name part of the export file: the contacts file's name without its folder,
// with every ".DAT" and then every ".dat" removed (Club.DAT -> Club, Club.Dat -> Club.Dat).
QString exportNamePart(const QString& contactsPath);
// "QLTC_" + name part + ".csv", "QLTT_" + name part + ".txt" or "QLTV_" + name part + ".vcf".
QString exportFileName(ExportKind kind, const QString& namePart);
// Where the export of the contacts file at `contactsPath` goes in `folder`.
QString exportPath(ExportKind kind, const QString& contactsPath, const QString& folder);

QString exportHeaderLine(ExportKind kind);
// Appends one record's line: the 16 fields with spaces trimmed, joined by the
// separator, nothing quoted; the birth date as MM-DD-YYYY or empty; CR LF.
// Works on the record's stored Windows-1252 bytes, which the export keeps.
void appendExportLine(QByteArray& out, ExportKind kind, QByteArrayView record);
// The stored form YYYYMMDD as MM-DD-YYYY, trimmed; a blank field gives nothing.
QByteArray exportBirthdate(QByteArrayView stored);

struct ExportSummary
{
    QString path;     // the file written
    QString fileName; // its name without the folder
    int written = 0;  // contact lines (the header not counted)
};

// Writes every record of the open file, in record order, into `folder` under the
// export file name, with CR LF line ends (CSV and text in Windows-1252, the
// vCards in UTF-8; a vCard file has no header line), replacing an older
// export. The file is written under a temporary name and renamed into place only
// when complete, so a failure leaves the older export (or none), never half a file.
// With `control`, the contacts written so far are reported to it and a cancel
// stops the run with errors::cancelled(), leaving an older export as it was.
Result<ExportSummary> exportContacts(const ContactsFile& file, ExportKind kind, const QString& folder,
                                     WorkControl* control = nullptr);
// The same into the file at `path` (an export the user placed elsewhere).
Result<ExportSummary> exportContactsTo(const ContactsFile& file, ExportKind kind, const QString& path,
                                       WorkControl* control = nullptr);
// The export's bytes in chunks to `sink` (standard output), under the file's
// shared lock; the number of contacts written.
using ExportSink = std::function<Status(QByteArrayView bytes)>;
Result<int> writeExport(const ContactsFile& file, ExportKind kind, const ExportSink& sink,
                        WorkControl* control = nullptr);

QString exportDoneText(ExportKind kind, const QString& fileName);
inline const QString exportDoneTitle = QStringLiteral("Export file created");
inline const QString exportNoContactsText =
    QStringLiteral("Export file could not be created.  There were no contacts on file.");
inline const QString exportNoContactsTitle = QStringLiteral("Export file not created");

} // namespace quillet
