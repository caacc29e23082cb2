#include "core/help/UserManual.h"

#include "core/common/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillet {

QString manualPath()
{
    return QDir(programFolder()).filePath(manualFileName);
}

QStringList installedManualCandidates()
{
    QStringList candidates;
    if (QCoreApplication::instance()) {
        const QDir programDir(QCoreApplication::applicationDirPath());
        candidates << programDir.filePath(manualFileName)
                   << QDir::cleanPath(programDir.filePath(QStringLiteral("../share/doc/quillet/") + manualFileName));
    }
#ifdef QUILLET_INSTALLED_MANUAL
    candidates << QStringLiteral(QUILLET_INSTALLED_MANUAL);
#endif
    candidates.removeDuplicates();
    return candidates;
}

Status ensureManualIn(const QString& folder, const QStringList& sources)
{
    const QString target = QDir(folder).filePath(manualFileName);
    if (QFileInfo::exists(target))
        return Status::success();
    for (const QString& source : sources) {
        if (!QFileInfo(source).isFile())
            continue;
        if (!QDir().mkpath(folder))
            return errors::pathFileAccess();
        // QFile::copy writes a temporary file and renames it, so a failed copy
        // never leaves a truncated manual behind.
        if (!QFile::copy(source, target))
            return errors::pathFileAccess();
        // An installed manual is read-only; the user's copy should not be.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
        return Status::success();
    }
    return errors::fileNotFound();
}

Status ensureManualInProgramFolder()
{
    return ensureManualIn(programFolder(), installedManualCandidates());
}

} // namespace quillet
