#include "common/AppError.h"

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
} // namespace errors

QString errorBoxText(const AppError& error, ErrorEnding ending)
{
    const QString who = ending == ErrorEnding::Quillet ? QStringLiteral("Quillet") : QStringLiteral("author");
    return QStringLiteral("An error has occurred. Error number %1 -- %2.  Try again, or notify %3.")
        .arg(error.number)
        .arg(error.description, who);
}

} // namespace quillet
