#pragma once

#include "core/common/AppError.h"

#include <QFileDevice>

namespace quillet {

// The error box number and text for a system error (errno), from one table: 61 disk
// full (ENOSPC, EFBIG, EDQUOT), 70 permission denied, 53 file not found, 76 path not
// found, 52 bad file name (a name too long), 57 device I/O error, 75 for the rest.
AppError errorFromErrno(int errorNumber);
// The same for a QFile/QSaveFile failure: ResourceError is a full disk,
// PermissionsError permission denied, Read/WriteError device I/O, others 75.
AppError errorFromFileDevice(QFileDevice::FileError error);
AppError errorFromFileDevice(const QFileDevice& device);

} // namespace quillet
