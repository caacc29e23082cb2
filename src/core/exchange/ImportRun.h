#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"
#include "core/exchange/ColumnMapping.h"
#include "core/exchange/ImportChanges.h"
#include "core/exchange/ImportLayout.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace quillet {

class ContactsFile;
class ContactRecord;
class DuplicateTest;

// How a file was read. A CSV file keeps its classic layout only when the layout
// reads it whole and as well as matching its columns by name would.
enum class ImportReading { None, Classic, NameMatched, VCard, Ldif };

struct ImportSummary
{
    enum class Outcome {
        Imported,      // the file was read to its end, or up to stoppedBy
        NoLayout,      // no reading finds a name or e-mail column: nothing happens
        NotCompatible, // no longer given: a name list without e-mail is matched by name
    };
    Outcome outcome = Outcome::NoLayout;
    ImportReading reading = ImportReading::None;
    ImportLayout layout = ImportLayout::None;
    QString vcardVersion;
    // A name-matched file's header and the mapping used.
    QStringList headers;
    ColumnMapping mapping;
    // Records appended (or, in a dry run, that would be), also when a failure in the
    // file stopped the run: they stay on file. A failure to write appends none.
    int imported = 0;
    // Rows skipped by reason, and what the clean-up changed in the contacts imported.
    ChangeTally tally;
    // The failure that ended the run before the end of the import file, if any.
    std::optional<AppError> stoppedBy;
};

struct ImportOptions
{
    QString reminderFlag = QStringLiteral("0");
    // Choices for a name-matched file's columns, by header: they replace the dictionary's.
    std::vector<std::pair<QString, ImportField>> columnChoices;
    // The whole mapping of a name-matched file's columns, as the import window's preview sets it.
    std::optional<ColumnMapping> mapping;
    bool dryRun = false; // nothing is written
    // A failure in the source writes nothing, not even the contacts before it: an
    // address book is taken whole or not at all.
    bool wholeSourceOnly = false;
    // Sees every contact stored (or, in a dry run, that would be) as its record's 400
    // bytes (ContactRecord::fromBytes reads them), with what its clean-up changed.
    std::function<void(QByteArrayView, const ContactChanges&)> onContact;
    // Called once the source is read, before the contacts file is locked.
    std::function<void()> onSourceRead;
    DuplicateTest* duplicates = nullptr; // replaces the in-memory duplicate index
    // Asked before each contact: true stops the run, which then writes nothing and
    // fails with errors::cancelled().
    std::function<bool()> cancelled;
};

// Imports a CSV, vCard or LDIF file into the open contacts file. The reading is
// chosen from the file's content before anything is written, so one run never
// mixes two. The source is read to its end before the contacts file is locked, so
// other programs can use the file meanwhile; the lock is held only to test the
// contacts against records 1 to N of the file as it is then, and to commit. A
// duplicate or a blank contact is counted and left out. The contacts file gains the
// new records all at once (see AppendTransaction): a failure in the import file
// leaves those found before it on file, a failure to write (or the process killed)
// leaves the file as it was, and never part of a record. A failure before the run,
// or in putting the new records in place, gives no summary: nothing was imported.
Result<ImportSummary> importContacts(const QString& path, ContactsFile& file, const ImportOptions& options);
Result<ImportSummary> importContacts(const QString& path, ContactsFile& file, const QString& reminderFlag,
                                     DuplicateTest* duplicates = nullptr);

// What the import window shows before anything is written: the reading, and for a
// CSV file that is matched by name (or has no name or e-mail column, reading None)
// its header, the dictionary's mapping with the options' choices, and its first
// lines. Only the start of the file is read, however long it is.
struct ColumnPreview
{
    ImportReading reading = ImportReading::None;
    QStringList headers;
    ColumnMapping mapping;
    std::vector<QStringList> rows;
};
Result<ColumnPreview> previewColumns(const QString& path, const ImportOptions& options, int rows);

// What the import window and the command line say.
QString readingText(const ImportSummary& summary); // "Read as vCard 3.0", "Columns matched by name: …"
QString importedCountText(int count);              // "N contacts successfully imported."
QString importDoneText(int count);                 // "D O N E !  N contacts successfully imported."
// "3 already on file, 1 without a name skipped.", empty when none was skipped.
QString skippedText(const ImportSummary& summary);
// Every line of the summary after the count: the rows skipped and what the clean-up changed.
QStringList summaryLines(const ImportSummary& summary);
// A dry run's line for one contact: its sixteen stored fields separated by "|", and
// after them, in brackets, what the clean-up changed.
QString dryRunLine(QByteArrayView record, const ContactChanges& changes);
// Before importing: "12 new, 3 already on file, 1 without a name."
QString previewText(const ImportSummary& summary);
QString noNameColumnText(const QStringList& headers);
inline const QString importDoneTitle = QStringLiteral("Import completed");
inline const QString importCancelledText = QStringLiteral("Import cancelled: no contacts were imported.");
inline const QString notCompatibleText = QStringLiteral("CSV file not compatible with import function.");
inline const QString notCompatibleTitle = QStringLiteral("No contacts imported");
inline const QString noCsvChosenText =
    QStringLiteral("Click 'Open file' to select a CSV, vCard or LDIF file to import.");
inline const QString noCsvChosenTitle = QStringLiteral("No file selected");

} // namespace quillet
