#pragma once

#include "common/AppError.h"
#include "common/Result.h"
#include "exchange/ImportLayout.h"

#include <QString>

#include <optional>

namespace quillet {

class ContactsFile;
class DuplicateTest;

struct ImportSummary
{
    enum class Outcome {
        Imported,      // the file was read to its end, or up to stoppedBy
        NoLayout,      // the header fits no layout: nothing happens, no message
        NotCompatible, // a name and e-mail list without an e-mail column
    };
    Outcome outcome = Outcome::NoLayout;
    ImportLayout layout = ImportLayout::None;
    // Records appended, also when a failure stopped the run: those found before a
    // failure in the CSV file stay on file; a failure to write appends none.
    int imported = 0;
    // The failure that ended the run before the end of the CSV file, if any.
    std::optional<AppError> stoppedBy;
};

// Imports a CSV file into the open contacts file: recognises the layout from the
// header, prepares, skips, fills, cleans and tests every line, and appends each
// contact that is not a duplicate of records 1 to N (N counted at the start) with
// `reminderFlag`. The contacts file gains the new records all at once (see
// AppendTransaction): a failure in the CSV file leaves those found before it on
// file, a failure to write (or the process killed) leaves the file as it was, and
// never part of a record. The open file is reopened when records were added.
// A failure before the run, or in putting the new records in place, gives no
// summary: nothing was imported. `duplicates` replaces the in-memory duplicate
// index (tests and benchmarks).
Result<ImportSummary> importContacts(const QString& csvPath, ContactsFile& file, const QString& reminderFlag,
                                     DuplicateTest* duplicates = nullptr);

// What the import window and the command line say.
QString importedCountText(int count); // "N contacts successfully imported."
QString importDoneText(int count);    // "D O N E !  N contacts successfully imported."
inline const QString importDoneTitle = QStringLiteral("Import completed");
inline const QString notCompatibleText = QStringLiteral("CSV file not compatible with import function.");
inline const QString notCompatibleTitle = QStringLiteral("No contacts imported");
inline const QString noCsvChosenText = QStringLiteral("Click 'Open csv file' to select a file to import.");
inline const QString noCsvChosenTitle = QStringLiteral("No csv file selected");

} // namespace quillet
