#pragma once

#include "core/common/PathBoundFile.h"

namespace quillet {

// Holds a lock for a scope; status() says whether it was taken (and passed its check).
class ScopedFileLock
{
public:
    ScopedFileLock(const PathBoundFile& file, LockKind kind, WriteCheck check = WriteCheck::None)
        : m_file(file), m_status(file.lock(kind, check))
    {}
    ~ScopedFileLock()
    {
        if (m_status)
            m_file.unlock();
    }
    ScopedFileLock(const ScopedFileLock&) = delete;
    ScopedFileLock& operator=(const ScopedFileLock&) = delete;
    const Status& status() const { return m_status; }

private:
    const PathBoundFile& m_file;
    Status m_status;
};

} // namespace quillet
