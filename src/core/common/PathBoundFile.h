#pragma once

#include "core/common/AppError.h"
#include "core/common/FileLock.h"
#include "core/common/WritersLock.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quillet {

class ReplacementFile;

enum class Creation { ExistingOnly, CreateIfMissing };
// What a lock taken for a write also makes sure of: nothing, that the file may be
// written (checkWritable), or that it may be rewritten as a whole (checkRewritable).
enum class WriteCheck { None, Writable, Rewritable };

// A file bound to its path, as other programs (a second copy, the command line) may
// use it at the same time: its descriptor, its identity (device and inode), its
// locks and its replacement as a whole. The descriptor and identity follow the file
// at the path, even through a const object: when another program replaced it by
// rename, taking a lock opens and locks the new file instead; when the path names
// nothing, "File not found" is returned and nothing is written.
//
// The locking rules. A reader takes a shared lock for as long as its reading takes,
// and waits for a writer. A writer holds the writers' lock (WritersLock), which only
// writers can take, and then an exclusive lock on the file. Readers that are still
// there after one bounded read (readerWaitMs) do not keep it out: it puts a copy of
// the file in place, locked from the start, and writes that. The readers go on
// reading the old file, which no one changes any more: every reading stays
// consistent, and a program that keeps a shared lock holds up no writer for longer
// than that one wait. Where no writers' lock can be had (a folder we may not write),
// a writer waits for the file's own exclusive lock as before.
class PathBoundFile
{
public:
    PathBoundFile();
    ~PathBoundFile();
    PathBoundFile(const PathBoundFile&) = delete;
    PathBoundFile& operator=(const PathBoundFile&) = delete;

    // Opens an existing file for reading and writing, or for reading only when it
    // cannot be written; with CreateIfMissing creates an empty file when none exists.
    // Only regular files open. While read-only, every write fails with "Permission
    // denied" and changes nothing. The path may carry raw bytes (NativePath).
    // Temporary copies that stopped rewrites left beside the file are removed.
    Status open(const QString& path, Creation creation = Creation::ExistingOnly);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    bool isReadOnly() const { return m_readOnly; }
    QString path() const { return m_path; }
    QByteArray nativePath() const { return m_nativePath; }
    // Bytes on file now (-1 when closed), and the number of names (hard links) it has.
    qint64 byteSize() const;
    int linkCount() const;
    quint64 device() const { return m_device; }
    quint64 inode() const { return m_inode; }

    // Locks nest: an inner lock of the same or weaker kind only counts. A shared lock
    // held is converted when an exclusive one is asked for. With a check, the lock is
    // let go again when the check fails.
    Status lock(LockKind kind, WriteCheck check = WriteCheck::None) const;
    void unlock() const;
    bool isLocked() const { return m_lockDepth > 0; }
    // Reopens the file if its path names a different file now ("File not found" when
    // it names none). Windows call it before each command.
    Status refresh() const;

    // Whether a write may go ahead: the file is open, writable, and still the file at
    // its path. Writing to one that was removed or replaced since it was opened would
    // report success for data nobody will see again, or overwrite the newcomer.
    Status checkWritable() const;
    // A whole-file rewrite gives the file a new inode: other names of a file with hard
    // links would keep the old contents. Rewrites refuse such a file unless allowed.
    void setSplittingLinksAllowed(bool allowed) { m_splitLinks = allowed; }
    // Within an exclusive lock: the file may be rewritten as a whole.
    Status checkRewritable() const;
    // Within an exclusive lock: puts the finished replacement in place of the file
    // and carries on with it, still locked. The old file's lock goes with it.
    Status replaceWith(ReplacementFile& replacement) const;

    // Appends the file's first `length` bytes to `out`.
    Status copyInto(ReplacementFile& out, qint64 length) const;
    // Reading past the end is no failure: the missing bytes read as spaces.
    Status readAt(qint64 offset, char* buffer, qint64 length) const;
    Status writeAt(qint64 offset, QByteArrayView bytes) const;
    // Forces written data to the disk.
    Status syncData() const;
    void truncate(qint64 length) const;

private:
    Status openNative(const QByteArray& native, Creation creation) const;
    Status reopen() const;
    // Whether the path still names the open file; "File not found" when it names none.
    Status pathNamesOpenFile(bool& same) const;
    void removeLeftovers() const;
    Status lockAtPath(LockKind kind) const;
    // Polls for the lock on the file the path names, following it when it is
    // replaced, until the deadline.
    Status followAndLock(LockKind kind, LockDeadline& deadline) const;
    // Whether readers alone have kept a writer out for one bounded read.
    bool readersOutstayed(qint64& readersSince, const LockDeadline& deadline) const;
    // Puts a locked copy of the file in place of one that readers keep locked.
    Status stepAroundReaders() const;
    // Puts a finished replacement in place and carries on with it, still locked.
    Status commit(ReplacementFile& replacement) const;
    void takeDescriptor(int fd, bool readOnly, quint64 device, quint64 inode) const;

    mutable int m_fd = -1;
    QString m_path;
    QByteArray m_nativePath;
    mutable bool m_readOnly = false;
    mutable quint64 m_device = 0;
    mutable quint64 m_inode = 0;
    mutable int m_lockDepth = 0;
    mutable LockKind m_lockKind = LockKind::Shared;
    mutable WritersLock m_writers;
    bool m_splitLinks = false;
};

} // namespace quillet
