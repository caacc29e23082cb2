#include "support/TestSupport.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace quillet::test {

QString dataPath(const QString& name)
{
    return QDir(QStringLiteral(QUILLET_TEST_DATA)).filePath(name);
}

bool saveScreenshot(QWidget* window, const QString& name)
{
    const QString folder = qEnvironmentVariable("QUILLET_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return true;
    QDir().mkpath(folder);
    return window->grab().save(QDir(folder).filePath(name));
}

} // namespace quillet::test
