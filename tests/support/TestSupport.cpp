#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QProgressDialog>
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

QProgressDialog* shownProgress()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QProgressDialog*>(window); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

} // namespace quillet::test
