#pragma once

#include "core/common/AppError.h"
#include "ports/FileDialogs.h"

#include <QString>

namespace quillet {

enum class FileCommand { New, Open };

// The title of a contacts file: its name with every ".DAT" removed. Only that exact
// spelling goes, so "friends.dat" keeps its extension.
QString contactsFileTitle(const QString& fileName);

// The file dialog of New ("New", a "Create" dialog adding ".DAT") and Open ("Open"):
// starts in the program's folder and lists "*.DAT" files whatever their case.
FileDialogRequest contactsFileDialogRequest(FileCommand command, const QString& programFolder);

// The installer's data file "unins000.DAT" in the program's folder is named
// "unins000.DAK" while the New or Open dialog shows, so that it is not taken for a
// contacts file. Each rename happens only when the file exists under the old name
// and the new name is free; otherwise there is nothing to do.
QString installerDataFile(const QString& programFolder);       // ".../unins000.DAT"
QString hiddenInstallerDataFile(const QString& programFolder); // ".../unins000.DAK"
Status hideInstallerDataFile(const QString& programFolder);
Status restoreInstallerDataFile(const QString& programFolder);

// New's choice with ".DAT" added when the name has no extension at all.
FileChoice withContactsExtension(const FileChoice& choice);

} // namespace quillet
