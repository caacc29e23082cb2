#pragma once

#include "ports/FileDialogs.h"

#include <QHash>
#include <QString>

namespace quillet {

// What a file dialog offers when it is shown again: the full path last chosen in
// it, so it opens in that file's folder with its name filled in. The program's
// dialogs are told apart by their filters: New and Open are one dialog and share
// the name, while the import's CSV dialog keeps its own and never offers a CSV
// file as a contacts file.
class FileDialogMemory
{
public:
    QString lastChosen(const FileDialogRequest& request) const;
    void remember(const FileDialogRequest& request, const QString& path);

private:
    QHash<QString, QString> m_paths; // by filter
};

} // namespace quillet
