#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Standard output and error of quillet-cli. Results go to standard output
// unprefixed; every message goes to standard error as "quillet-cli: VERB: message".
// Text that may come from a file is shown through terminalSafe, so nothing raw
// reaches the terminal.
//
// Standard output is buffered. A reader that went away (EPIPE) ends the run quietly,
// as it ends any filter in a pipeline; any other failed write (a full device) is a
// failure with exit status 1. After a failed write nothing more is written.
namespace quillet::cli::console {

// The exit statuses of every verb.
inline constexpr int exitDone = 0;
inline constexpr int exitFailed = 1; // the job failed or the window's checks refused it
inline constexpr int exitUsage = 2;  // an unknown option, a missing, malformed or out-of-range value

// The verb the messages name; the program runs one verb.
void setVerb(const QString& verb);

// One line of text on standard output, made terminal-safe.
void printLine(const QString& text);
// Columns made terminal-safe one by one and joined by tabs.
void printColumns(const QStringList& columns);
// Bytes as they are (a PDF, an export file).
void write(QByteArrayView bytes);
// Whether every write so far went through. A verb checks it before a change that
// should not happen when its output could not be delivered.
bool outputOk();

// "quillet-cli: VERB: message" on standard error; returns exitFailed.
int error(const QString& message);
// The same for a usage error, with where to read the verb's options; returns exitUsage.
int usageError(const QString& message);

// Ends the run: flushes standard output and gives the exit status. A closed pipe
// ends the process by SIGPIPE, as it would have without the buffer; another failed
// write is reported and turns the status into exitFailed.
int finish(int status);

} // namespace quillet::cli::console
