#pragma once

#include "core/common/AppError.h"

#include <QElapsedTimer>

namespace quillet {

enum class LockKind { Shared, Exclusive };

// Open-file-description locks (F_OFD_SETLK) on a whole file: they belong to the open
// file, not the process, so two handles in one program exclude each other as two
// programs do, and they work over NFS. Closing the descriptor releases the lock.

// How long a command waits for the locks it needs, all of them together: 5 seconds,
// or QUILLET_LOCK_WAIT_MS milliseconds.
int lockWaitMs();
// How long a writer lets readers finish before it stops waiting for them: one
// bounded read, 1 second (or half the lock wait when that is shorter).
int readerWaitMs();

// The moment a command stops waiting for locks. One deadline serves every lock the
// command takes, so that it says "in use" after one wait, not one per lock.
class LockDeadline
{
public:
    explicit LockDeadline(int waitMs);
    bool passed() const;
    qint64 elapsed() const { return m_timer.elapsed(); }
    // Sleeps a growing pause (1 ms, doubling up to 100 ms), never past the deadline.
    void pause();

private:
    QElapsedTimer m_timer;
    int m_waitMs = 0;
    int m_pauseMs = 1;
};

// Takes the lock, polling while another holder keeps it; after the deadline fails
// with "The contacts file is in use by another program. Try again." A held lock of
// the other kind is converted.
Status lockDescriptor(int fd, LockKind kind, LockDeadline& deadline);
// One attempt, no waiting; errno is EAGAIN when another holder keeps the file.
bool tryLockDescriptor(int fd, LockKind kind);
// Whether another open file holds a write lock on the file; when not, only readers
// (or nobody) keep an exclusive lock out.
bool writeLockedElsewhere(int fd);
void unlockDescriptor(int fd);

} // namespace quillet
