#pragma once

#include "common/AppError.h"

#include <QFileDevice>

namespace quillet {

// The error box numbers for file failures: 61 disk full (ENOSPC, EFBIG, EDQUOT),
// 70 permission denied (EACCES, EPERM, EROFS), 53 file not found, 76 path not
// found, 57 device I/O error (EIO), 75 path/file access error for the rest.
AppError errorFromErrno(int errorNumber);
// The same for a QFile/QSaveFile failure: ResourceError is a full disk,
// PermissionsError permission denied, Read/WriteError device I/O, others 75.
AppError errorFromFileDevice(QFileDevice::FileError error);
AppError errorFromFileDevice(const QFileDevice& device);

} // namespace quillet
