#include "gui/session/FileCommands.h"

#include "core/common/NativePath.h"
#include "core/reminders/Reminders.h"
#include "gui/session/Session.h"
#include "ports/Prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillet {

FileCommandOutcome runFileCommand(FileCommand command, Session& session, FileDialogs& dialogs,
                                  const QString& programFolder, const QDate& today)
{
    FileCommandOutcome outcome;
    if (outcome.status = hideInstallerDataFile(programFolder); !outcome.status) {
        session.closeFile();
        return outcome;
    }
    FileChoice choice = dialogs.chooseFile(contactsFileDialogRequest(command, programFolder));
    // The open file stays open until another one has been chosen.
    if (choice.cancelled()) {
        outcome.cancelled = true;
        return outcome;
    }
    if (command == FileCommand::New)
        choice = withContactsExtension(choice);
    return openChosenFile(command, choice, session, programFolder, today);
}

FileCommandOutcome openGivenFile(const QString& path, Session& session, const QString& programFolder,
                                 const QDate& today)
{
    FileCommandOutcome outcome;
    if (outcome.status = hideInstallerDataFile(programFolder); !outcome.status) {
        session.closeFile();
        return outcome;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    return openChosenFile(FileCommand::Open, FileChoice{absolute, QFileInfo(absolute).fileName()}, session,
                          programFolder, today);
}

FileCommandOutcome openChosenFile(FileCommand command, const FileChoice& choice, Session& session,
                                  const QString& programFolder, const QDate& today)
{
    FileCommandOutcome outcome;
    // A name Qt's text could not carry arrives altered and would name another file.
    if (!isTextPath(choice.path)) {
        outcome.status = errors::nameNotText();
        return outcome;
    }
    session.closeFile();
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
    // A switch that cannot be read is not guessed: new contacts would get the wrong flag.
    const Result<reminders::Switch> reminderSwitch = reminders::switchAtOpening(session.file());
    if (!reminderSwitch) {
        session.closeFile();
        outcome.status = reminderSwitch.status();
        return outcome;
    }
    session.setReminderSwitch(*reminderSwitch);
    Result<QList<reminders::DueBirthday>> due = reminders::dueBirthdays(session.file(), today);
    outcome.status = due.status();
    if (due)
        outcome.birthdays = std::move(due).value();
    return outcome;
}

} // namespace quillet
