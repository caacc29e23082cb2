#include "gui/main/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace quillet {

namespace {

const QString recentFilesKey = QStringLiteral("Settings/RecentFiles");

// One file under two spellings ("a/../b.DAT") is one entry.
QString canonical(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

QStringList RecentFiles::paths() const
{
    return QSettings().value(recentFilesKey).toStringList().mid(0, kept);
}

void RecentFiles::add(const QString& path)
{
    QStringList paths = this->paths();
    paths.removeAll(canonical(path));
    paths.prepend(canonical(path));
    store(paths.mid(0, kept));
}

void RecentFiles::remove(const QString& path)
{
    QStringList paths = this->paths();
    paths.removeAll(canonical(path));
    store(paths);
}

void RecentFiles::store(const QStringList& paths)
{
    QSettings().setValue(recentFilesKey, paths);
}

} // namespace quillet
