#pragma once

#include "core/common/AppError.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace quillet {
class ContactsFile;
}

namespace quillet::cli {

// A verb's command line split into positional arguments, switches (--on) and
// options with a value (--today DATE or --today=DATE).
struct ParsedArgs
{
    QStringList positional;
    QSet<QString> switches;
    QHash<QString, QString> values;

    bool has(const QString& name) const { return switches.contains(name) || values.contains(name); }
    QString value(const QString& name) const { return values.value(name); }
};

// Parses args against the switches and value options a verb knows (names with
// their leading "--"). An unknown option, a missing value or a wrong number of
// positional arguments gives nullopt and *error says why.
std::optional<ParsedArgs> parseArgs(const QStringList& args, const QStringList& switches,
                                    const QStringList& valueOptions, int minPositional, int maxPositional,
                                    QString* error);

// Standard output and error, UTF-8.
void printLine(const QString& text);
void printError(const QString& text); // "quillet-cli: " + text

// Prints "quillet-cli: VERB: message" and a pointer to --help; returns exit status 1.
int usageError(const QString& verb, const QString& message);
// Prints "quillet-cli: <what> '<path>': <description> (error N)"; returns exit status 1.
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
std::optional<int> parseRecordNumber(const QString& text);

// The FILE N arguments of the verbs that work on one contact: opens an existing
// FILE and checks that it holds record N. On failure prints why and returns nullopt.
std::optional<int> openAtRecord(const QString& verb, const QString& path, const QString& numberText,
                                ContactsFile& file);

} // namespace quillet::cli
