#include "common/FileErrors.h"

#include <cerrno>

namespace quillet {

AppError errorFromErrno(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return errors::diskFull();
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return errors::permissionDenied();
    case ENOENT:
        return errors::fileNotFound();
    case ENOTDIR:
        return errors::pathNotFound();
    case EIO:
        return errors::deviceIO();
    default:
        return errors::pathFileAccess();
    }
}

AppError errorFromFileDevice(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::ResourceError:
        return errors::diskFull();
    case QFileDevice::PermissionsError:
        return errors::permissionDenied();
    case QFileDevice::ReadError:
    case QFileDevice::WriteError:
        return errors::deviceIO();
    default:
        return errors::pathFileAccess();
    }
}

AppError errorFromFileDevice(const QFileDevice& device)
{
    return errorFromFileDevice(device.error());
}

} // namespace quillet
