#pragma once

#include "core/common/AppError.h"

class QSaveFile;

namespace quillet {

// QSaveFile (Qt 6.4) writes out its buffer while committing, and while asked for its
// size, without reporting a failure there: on a full disk it commits a truncated file
// and says it succeeded. These write the buffer first and look at the result.

// Writes out what is buffered; on failure the writing is cancelled (a later commit
// replaces nothing) and the error is returned.
Status flushSaveFile(QSaveFile& file);
// Flushes, then commits: the target is replaced only by a complete file.
Status commitSaveFile(QSaveFile& file);

} // namespace quillet
