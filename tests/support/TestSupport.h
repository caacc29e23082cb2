#pragma once

#include <QObject>
#include <QString>

class QProgressDialog;
class QWidget;

namespace quillet::test {

// A file under tests/data.
QString dataPath(const QString& name);

// Saves a picture of `window` as docs/screenshots/<name> for the README and the
// manual, when the test run asks for screenshots (QUILLET_SCREENSHOT_DIR, set by
// scripts/test). Returns false only when a picture was asked for and not written.
bool saveScreenshot(QWidget* window, const QString& name);

// The progress dialog a long run shows, once it is on screen.
QProgressDialog* shownProgress();

// The child of `window` with this objectName; stops the test run when there is none.
template <typename T = QWidget> T* child(const QObject& window, const char* name)
{
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

} // namespace quillet::test
