#pragma once

#include "core/common/AppError.h"

namespace quillet {

enum class LockKind { Shared, Exclusive };

// Open-file-description locks (F_OFD_SETLK) on a whole file: they belong to the open
// file, not the process, so two handles in one program exclude each other as two
// programs do, and they work over NFS. Closing the descriptor releases the lock.

// How long a lock is waited for: 5 seconds, or QUILLET_LOCK_WAIT_MS milliseconds.
int lockWaitMs();
// Takes the lock, polling with a growing pause while another holder keeps it; after
// `waitMs` fails with "The contacts file is in use by another program. Try again."
// A held lock of the other kind is converted.
Status lockDescriptor(int fd, LockKind kind, int waitMs);
// One attempt, no waiting.
bool tryLockDescriptor(int fd, LockKind kind);
void unlockDescriptor(int fd);

} // namespace quillet
