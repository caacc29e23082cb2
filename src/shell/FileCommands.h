#pragma once

#include "common/AppError.h"
#include "platform/FileDialogs.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace quillet {

class Session;

enum class FileCommand { New, Open };

// The title of a contacts file: its name with every ".DAT" removed. Only that exact
// spelling goes, so "friends.dat" keeps its extension.
QString contactsFileTitle(const QString& fileName);

// The file dialog of New ("New") and Open ("Open"): starts in the program's folder,
// lists "*.DAT" files whatever their case and takes a typed name as it is.
FileDialogRequest contactsFileDialogRequest(FileCommand command, const QString& programFolder);

// The installer's data file "unins000.DAT" in the program's folder is named
// "unins000.DAK" while the New or Open dialog shows, so that it is not taken for a
// contacts file. Each rename happens only when the file exists under the old name
// and the new name is free; otherwise there is nothing to do.
QString installerDataFile(const QString& programFolder);       // ".../unins000.DAT"
QString hiddenInstallerDataFile(const QString& programFolder); // ".../unins000.DAK"
Status hideInstallerDataFile(const QString& programFolder);
Status restoreInstallerDataFile(const QString& programFolder);

class ContactsFile;
class Prompter;

// Before a whole-file rewrite (deletion, import, the reminder switch) of a file
// with hard links: says that the other names would keep the old contents and asks,
// default No. True when the rewrite may go ahead; the file then allows it until
// the next call.
bool allowRewriteOfLinkedFile(ContactsFile& file, Prompter& prompter);

struct FileCommandOutcome
{
    // A failure is shown in the error box; steps done before it stay done.
    Status status;
    bool cancelled = false;
    // File > Open: the birthday reminders to announce, in record order.
    QStringList announcements;
};

// File > New and File > Open without their window: close the open file, hide the
// installer data file, ask for a file, open it (New: create it when missing) as the session's file
// (path and title), set the reminder switch (New: on; Open: from record 1) and,
// for Open, run the reminder pass for `today`. After a cancelled dialog no file is
// open and the session is in its no-file state.
FileCommandOutcome runFileCommand(FileCommand command, Session& session, FileDialogs& dialogs,
                                  const QString& programFolder, const QDate& today);

} // namespace quillet
