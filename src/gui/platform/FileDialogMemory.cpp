#include "gui/platform/FileDialogMemory.h"

namespace quillet {

QString FileDialogMemory::lastChosen(const FileDialogRequest& request) const
{
    return m_paths.value(request.filter);
}

void FileDialogMemory::remember(const FileDialogRequest& request, const QString& path)
{
    if (!path.isEmpty())
        m_paths.insert(request.filter, path);
}

} // namespace quillet
