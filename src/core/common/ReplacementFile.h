#pragma once

#include "core/common/AppError.h"

#include <QByteArray>
#include <QByteArrayView>

namespace quillet {

// A new version of a file, written beside it under a temporary name of our own
// (".NAME.qlt-XXXXXX") and renamed over it once complete and on disk: a crash or a
// full disk leaves the old file whole, and the copies a killed run leaves behind
// can be recognised and removed. Paths are native bytes.
class ReplacementFile
{
public:
    explicit ReplacementFile(QByteArray target);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates the temporary file and locks it exclusively, so that whoever opens it
    // by the target's name after the rename waits until the writer is done.
    Status open();
    // Buffered; the first failure is returned by this and every later call.
    Status write(QByteArrayView bytes);
    // Appends the first `length` bytes of the open file `source`, copied by the
    // kernel where it can (copy_file_range: no pass through our memory, and a shared
    // extent on file systems that have them), else read and written here.
    Status copyFrom(int source, qint64 length);
    // Writes out the buffer, gives the file the owner and group (when permitted),
    // mode, ACLs and extended attributes of `model` (a descriptor of the file being
    // replaced; -1 takes them from the target if it is a regular file, else the
    // default mode), syncs it, renames it over the target and syncs the folder.
    Status commit(int model = -1);
    // Removes the temporary file; nothing is replaced.
    void cancel();
    // After commit: the new file's descriptor, open for reading and writing and
    // still locked; the caller owns it.
    int releaseDescriptor();

    // Removes temporary copies of `target` that stopped runs left behind. Call only
    // while holding the target's exclusive lock: a running writer holds it too.
    static void removeLeftovers(const QByteArray& target);
    // Whether `name` (a file name without folder) is such a copy of `targetName`.
    static bool isLeftoverOf(const QByteArray& name, const QByteArray& targetName);

private:
    Status flush();

    QByteArray m_target;
    QByteArray m_temporary;
    QByteArray m_buffer;
    int m_fd = -1;
    Status m_status;
};

} // namespace quillet
