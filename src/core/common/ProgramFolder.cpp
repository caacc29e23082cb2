#include "core/common/ProgramFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace quillet {

QString programFolder()
{
    QString folder = qEnvironmentVariable("QUILLET_HOME");
    if (folder.isEmpty())
        folder = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                     .filePath(QStringLiteral("Quillet"));
    return QDir::cleanPath(folder);
}

} // namespace quillet
