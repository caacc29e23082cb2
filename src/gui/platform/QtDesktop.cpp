#include "gui/platform/QtDesktop.h"

#include "core/help/SystemInfoTools.h"

#include <QDesktopServices>
#include <QProcess>

namespace quillet {

bool QtDesktop::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtDesktop::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool QtDesktop::startSystemInfo()
{
    const QString tool = findSystemInfoTool();
    // startDetached runs the program itself: no shell ever sees the path.
    return !tool.isEmpty() && QProcess::startDetached(tool, {});
}

QDate QtDesktop::today() const
{
    return QDate::currentDate();
}

} // namespace quillet
