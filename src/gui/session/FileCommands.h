#pragma once

#include "core/common/AppError.h"
#include "core/contacts/ContactsFileNames.h"
#include "core/reminders/Reminders.h"
#include "ports/FileDialogs.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace quillet {

class FileDialogs;
class Session;

struct FileCommandOutcome
{
    // A failure is shown in the error box; steps done before it stay done.
    Status status;
    bool cancelled = false;
    // File > Open: the birthdays to announce, in record order.
    QList<reminders::DueBirthday> birthdays;
};

// File > New and File > Open without their window: hide the installer data file,
// ask for a file, close the open one, open or create the chosen one as the session's file
// (path and title), set the reminder switch (New: on; Open: from record 1) and,
// for Open, run the reminder pass for `today`. A cancelled dialog leaves the file
// that was open open.
FileCommandOutcome runFileCommand(FileCommand command, Session& session, FileDialogs& dialogs,
                                  const QString& programFolder, const QDate& today);

// File > Open of a file chosen elsewhere: given on the command line or in Open
// Recent. The same steps after the dialog; a relative path is taken from the
// current folder.
FileCommandOutcome openGivenFile(const QString& path, Session& session, const QString& programFolder,
                                 const QDate& today);

// The steps of New and Open once the file is chosen (the installer data file hidden).
FileCommandOutcome openChosenFile(FileCommand command, const FileChoice& choice, Session& session,
                                  const QString& programFolder, const QDate& today);

} // namespace quillet
