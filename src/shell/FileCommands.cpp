#include "shell/FileCommands.h"

#include "common/NativePath.h"
#include "platform/Prompter.h"
#include "shell/Reminders.h"
#include "shell/Session.h"

#include <QDir>
#include <QFile>

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

bool allowRewriteOfLinkedFile(ContactsFile& file, Prompter& prompter)
{
    file.setSplittingLinksAllowed(false);
    if (file.linkCount() <= 1)
        return true;
    const bool split =
        prompter.message(QStringLiteral("This contacts file has other names (hard links). The change rewrites it "
                                        "under this name only; the other names keep the old contacts. Go ahead?"),
                         QStringLiteral("File has other names"), MessageIcon::Exclamation,
                         MessageButtons::YesNoDefaultNo) == MessageResult::Yes;
    file.setSplittingLinksAllowed(split);
    return split;
}

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

FileCommandOutcome runFileCommand(FileCommand command, Session& session, FileDialogs& dialogs,
                                  const QString& programFolder, const QDate& today)
{
    FileCommandOutcome outcome;
    session.closeFile();
    if (outcome.status = hideInstallerDataFile(programFolder); !outcome.status)
        return outcome;
    const FileChoice choice = dialogs.chooseFile(contactsFileDialogRequest(command, programFolder));
    if (choice.cancelled()) {
        outcome.cancelled = true;
        return outcome;
    }
    // A name Qt's text could not carry arrives altered and would name another file.
    if (!isTextPath(choice.path)) {
        outcome.status = errors::nameNotText();
        return outcome;
    }
    // Only New creates a contacts file; Open of a name that names nothing says so.
    const Creation creation = command == FileCommand::New ? Creation::CreateIfMissing : Creation::ExistingOnly;
    if (outcome.status = session.file().open(choice.path, creation); !outcome.status)
        return outcome;
    session.setOpenFile(choice.path, contactsFileTitle(choice.title));
    if (command == FileCommand::New) {
        // A new file starts with reminders on, whatever an existing file's flags say.
        session.setReminderSwitch(reminders::Switch::On);
        outcome.status = restoreInstallerDataFile(programFolder);
        return outcome;
    }
    if (outcome.status = restoreInstallerDataFile(programFolder); !outcome.status)
        return outcome;
    session.setReminderSwitch(reminders::switchAtOpening(session.file()));
    Result<QStringList> announcements = reminders::runPass(session.file(), today);
    outcome.status = announcements.status();
    if (announcements)
        outcome.announcements = std::move(announcements).value();
    return outcome;
}

} // namespace quillet
