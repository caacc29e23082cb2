#pragma once

#include "core/common/AppError.h"
#include "core/common/Result.h"

#include <QString>

namespace quillet {
class ContactsFile;
class SheetCatalogue;
} // namespace quillet

namespace quillet::cli {

// A usage error (exit status 2) with the problem's message.
int usageError(const AppError& problem);

// "quillet-cli: VERB: <what> '<path>': <description> (error N)"; returns exit status 1.
// The window's question about a record changed by another program is said as a
// statement: the command line asks nothing.
int fileError(const QString& what, const QString& path, const AppError& error);
// fileError for a whole-file rewrite (delete, import, reminders --on/--off); a file
// with hard links also gets the hint that --force rewrites it anyway.
int rewriteError(const QString& what, const QString& path, const AppError& error);

enum class OpenMode { ExistingOnly, CreateIfMissing };
// Opens a contacts file the way File > New / Open do. On failure prints a message
// naming the file and the reason and returns false. ExistingOnly refuses a missing
// file (so a mistyped name is not silently created).
bool openContactsFile(ContactsFile& file, const QString& path, OpenMode mode);

// A record number from the command line: a whole number from 1 on.
Result<int> recordNumberValue(const QString& text);

// Opens an existing contacts file that holds record `number`; the exit status, 0
// when it is open and holds it (a message is printed otherwise).
int openAtRecord(const QString& path, int number, ContactsFile& file);

// The system's label sheet catalogue; what loading it skipped (a template file too
// large, for example) is said on standard error, once.
const SheetCatalogue& labelSheetCatalogue();

} // namespace quillet::cli
