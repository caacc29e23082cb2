#include "core/help/SystemInfoTools.h"

#include <QDir>
#include <QStandardPaths>

namespace quillet {

QStringList systemInfoToolNames()
{
    return {QStringLiteral("hardinfo2"),
            QStringLiteral("hardinfo"),
            QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor"),
            QStringLiteral("plasma-systemmonitor"),
            QStringLiteral("ksysguard"),
            QStringLiteral("mate-system-monitor"),
            QStringLiteral("xfce4-taskmanager"),
            QStringLiteral("lxtask"),
            QStringLiteral("lshw-gtk")};
}

QString findSystemInfoTool(const QStringList& names, const QStringList& searchPath)
{
    // An empty search path would make findExecutable fall back to PATH.
    if (searchPath.isEmpty())
        return {};
    for (const QString& name : names) {
        const QString found = QStandardPaths::findExecutable(name, searchPath);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString findSystemInfoTool()
{
    const QStringList path = qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    return findSystemInfoTool(systemInfoToolNames(), path);
}

} // namespace quillet
