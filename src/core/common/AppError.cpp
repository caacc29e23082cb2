#include "core/common/AppError.h"

namespace quillet {

namespace errors {
AppError fileNotFound()
{
    return {53, QStringLiteral("File not found")};
}
AppError permissionDenied()
{
    return {70, QStringLiteral("Permission denied")};
}
AppError pathFileAccess()
{
    return {75, QStringLiteral("Path/File access error")};
}
AppError pathNotFound()
{
    return {76, QStringLiteral("Path not found")};
}
AppError diskFull()
{
    return {61, QStringLiteral("Disk full")};
}
AppError deviceIO()
{
    return {57, QStringLiteral("Device I/O error")};
}
AppError badRecordNumber()
{
    return {63, QStringLiteral("Bad record number")};
}
AppError invalidProcedureCall()
{
    return {5, QStringLiteral("Invalid procedure call or argument")};
}
AppError subscriptOutOfRange()
{
    return {9, QStringLiteral("Subscript out of range")};
}
AppError outOfMemory()
{
    return {7, QStringLiteral("Out of memory")};
}
AppError inputPastEndOfFile()
{
    return {62, QStringLiteral("Input past end of file")};
}
AppError badFileNameOrNumber()
{
    return {52, QStringLiteral("Bad file name or number")};
}
AppError tooManyFiles()
{
    return {67, QStringLiteral("Too many files")};
}
AppError fileAlreadyExists()
{
    return {58, QStringLiteral("File already exists")};
}
AppError renameAcrossDrives()
{
    return {74, QStringLiteral("Can't rename with different drive")};
}
AppError fileInUse()
{
    return {70, fileInUseText};
}
AppError recordChanged()
{
    return {75, recordChangedText};
}
AppError nameNotText()
{
    return {52, nameNotTextText};
}
AppError fileHasLinks()
{
    return {75, QStringLiteral("The contacts file has more than one name (hard links); rewriting it would "
                               "leave the other names with the old contacts")};
}
AppError notRegularFile()
{
    return {75, QStringLiteral("Path/File access error: not a regular file")};
}
AppError fontNotFound()
{
    return {53, fontNotFoundText};
}
AppError fileChanged()
{
    return {75, fileChangedText};
}
AppError linkNotFollowed()
{
    return {75, QStringLiteral("Path/File access error: the name is a link, which is not followed")};
}
AppError notText()
{
    return {75, notTextText};
}
AppError recordCapReached()
{
    return {7, QStringLiteral("Out of memory: a contacts file holds at most 500,000 contacts")};
}
AppError cancelled()
{
    return {18, QStringLiteral("User interrupt occurred")};
}
AppError ownMessage(const QString& text)
{
    return {0, text};
}
} // namespace errors

bool isCancelled(const AppError& error)
{
    return error.number == errors::cancelled().number && error.description == errors::cancelled().description;
}

bool isOwnMessage(const AppError& error)
{
    return (error.number == 0 && !error.description.isEmpty()) || error.description == fileInUseText ||
           error.description == recordChangedText || error.description == nameNotTextText ||
           error.description == notTextText || error.description == fontNotFoundText ||
           error.description == fileChangedText;
}

QString errorBoxText(const AppError& error, ErrorEnding ending)
{
    if (isOwnMessage(error))
        return error.description;
    const QString who = ending == ErrorEnding::Quillet ? QStringLiteral("Quillet") : QStringLiteral("author");
    return QStringLiteral("An error has occurred. Error number %1 -- %2.  Try again, or notify %3.")
        .arg(error.number)
        .arg(error.description, who);
}

} // namespace quillet
