#pragma once

#include <QString>

#include <utility>

namespace quillet {

// A failure the user can cause (a file that cannot be written, a full disk...).
// Numbers and descriptions follow the established error box wording:
// 53 file not found, 70 permission denied, 75 path/file access error, 76 path not found,
// 61 disk full, 57 device I/O error, 63 bad record number, 5 invalid procedure call,
// 9 subscript out of range, 7 out of memory, 62 input past end of file,
// 52 bad file name or number.
struct AppError
{
    int number = 0;
    QString description;
};

namespace errors {
AppError fileNotFound();
AppError permissionDenied();
AppError pathFileAccess();
AppError pathNotFound();
AppError diskFull();
AppError deviceIO();
AppError badRecordNumber();
AppError invalidProcedureCall();
AppError subscriptOutOfRange();
AppError outOfMemory();
AppError inputPastEndOfFile();
AppError badFileNameOrNumber();
AppError tooManyFiles();
AppError fileAlreadyExists();
AppError renameAcrossDrives();
// Failures with a message of their own, shown as they are rather than in the error box.
AppError fileInUse();     // another program holds the contacts file's lock
AppError recordChanged(); // the record on file is no longer the one on show
AppError nameNotText();   // a file name Qt's text cannot carry
AppError fileHasLinks();  // a whole-file rewrite would split the file's hard links
AppError recordCapReached();
AppError notRegularFile();  // a device, a FIFO or a folder where a file belongs
AppError linkNotFollowed(); // a symbolic link where the program writes its own file
AppError notText();         // an import source that is a picture, an archive or the like
AppError fontNotFound();    // the font printed pages are set in is not installed
AppError cancelled();       // the user stopped a long run; nothing was changed
AppError fileChanged();     // a job that reads the contacts file more than once found it changed
// A failure with no error number of the older platform (a server's refusal, for
// example): its text is shown as it is.
AppError ownMessage(const QString& text);
} // namespace errors

// Whether `error` is the user's own cancel, which no box reports.
bool isCancelled(const AppError& error);

inline const QString fileInUseText = QStringLiteral("The contacts file is in use by another program. Try again.");
inline const QString recordChangedText = QStringLiteral("This contact was changed by another program. Reload it?");
inline const QString nameNotTextText = QStringLiteral("Rename the file; its name is not valid text");
inline const QString notTextText = QStringLiteral("This file is not a contacts file: it is not text.");
inline const QString fontNotFoundText = QStringLiteral("Liberation Mono was not found (package fonts-liberation2)");
inline const QString fileChangedText =
    QStringLiteral("The contacts file was changed by another program while it was being read. Try again.");
// Whether the error's description is a message of its own, shown alone.
bool isOwnMessage(const AppError& error);

// Success, or the error that stopped an operation. Writers return this and never
// report success they did not have.
class [[nodiscard]] Status
{
public:
    Status() = default;
    Status(AppError error) : m_failed(true), m_error(std::move(error)) {}
    static Status success() { return {}; }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const AppError& error() const { return m_error; }

private:
    bool m_failed = false;
    AppError m_error;
};

// "An error has occurred. Error number N -- description.  Try again, or notify author."
// The import window ends its boxes with "Quillet" in place of "author".
enum class ErrorEnding { Author, Quillet };
QString errorBoxText(const AppError& error, ErrorEnding ending = ErrorEnding::Author);
inline const QString errorBoxTitle = QStringLiteral("Error");

// Printing failures share one message.
inline const QString printerProblemText = QStringLiteral("A printer problem exists.  Check printer.");
inline const QString printerProblemTitle = QStringLiteral("Printer error");
// What a failed print job says: that the font pages are set in is not installed,
// or else printerProblemText.
inline QString printProblemText(const Status& failure)
{
    return !failure.ok() && failure.error().description == fontNotFoundText ? fontNotFoundText : printerProblemText;
}

} // namespace quillet
