#pragma once

#include <QStringList>

namespace quillet {

// The contacts files opened last, newest first, kept in the settings: File > Open
// Recent lists them.
class RecentFiles
{
public:
    static constexpr int kept = 5;

    QStringList paths() const;
    // Puts `path` first; the oldest beyond five drops off.
    void add(const QString& path);
    void remove(const QString& path);

private:
    void store(const QStringList& paths);
};

} // namespace quillet
