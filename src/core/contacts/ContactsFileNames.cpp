#include "core/contacts/ContactsFileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillet {

namespace {

Status renameIfPresent(const QString& from, const QString& to)
{
    // Both names taken (a crash between the renames, then a reinstall): renaming
    // would fail on every New and Open, so both files are left as they are.
    if (!QFile::exists(from) || QFile::exists(to))
        return Status::success();
    if (!QFile::rename(from, to))
        return errors::pathFileAccess();
    return Status::success();
}

} // namespace

QString contactsFileTitle(const QString& fileName)
{
    return QString(fileName).remove(QStringLiteral(".DAT"), Qt::CaseSensitive);
}

FileDialogRequest contactsFileDialogRequest(FileCommand command, const QString& programFolder)
{
    FileDialogRequest request;
    request.title = command == FileCommand::New ? QStringLiteral("New") : QStringLiteral("Open");
    request.initialFolder = programFolder;
    request.filter = QStringLiteral("Data Files (*.DAT)|*.DAT");
    // Open creates a missing file just as New does, so both take a typed new name.
    request.allowNewFile = true;
    if (command == FileCommand::New) {
        request.createStyle = true;
        request.defaultSuffix = QStringLiteral("DAT");
    }
    return request;
}

QString installerDataFile(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("unins000.DAT"));
}

QString hiddenInstallerDataFile(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("unins000.DAK"));
}

Status hideInstallerDataFile(const QString& programFolder)
{
    return renameIfPresent(installerDataFile(programFolder), hiddenInstallerDataFile(programFolder));
}

Status restoreInstallerDataFile(const QString& programFolder)
{
    return renameIfPresent(hiddenInstallerDataFile(programFolder), installerDataFile(programFolder));
}

FileChoice withContactsExtension(const FileChoice& choice)
{
    if (choice.cancelled() || !QFileInfo(choice.path).suffix().isEmpty())
        return choice;
    const QString path = choice.path + QStringLiteral(".DAT");
    return {path, QFileInfo(path).fileName()};
}

} // namespace quillet
