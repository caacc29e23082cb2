#include "core/common/FileErrors.h"

#include <cerrno>

namespace quillet {

namespace {

struct ErrnoEntry
{
    int errorNumber;
    AppError (*error)();
};

// The one table from system errors to the error box's numbers and texts.
const ErrnoEntry errnoTable[] = {
    {ENOSPC, errors::diskFull},
    {EFBIG, errors::diskFull},
    {EDQUOT, errors::diskFull},
    {EACCES, errors::permissionDenied},
    {EPERM, errors::permissionDenied},
    {EROFS, errors::permissionDenied},
    {ETXTBSY, errors::permissionDenied},
    {EBUSY, errors::permissionDenied},
    {EWOULDBLOCK, errors::fileInUse},
    {ENOENT, errors::fileNotFound},
    {ENOTDIR, errors::pathNotFound},
    {ENAMETOOLONG, errors::badFileNameOrNumber},
    {EILSEQ, errors::badFileNameOrNumber},
    {EEXIST, errors::fileAlreadyExists},
    {EXDEV, errors::renameAcrossDrives},
    {EMFILE, errors::tooManyFiles},
    {ENFILE, errors::tooManyFiles},
    {ENOMEM, errors::outOfMemory},
    {EIO, errors::deviceIO},
    {ENXIO, errors::deviceIO},
};

} // namespace

AppError errorFromErrno(int errorNumber)
{
    for (const ErrnoEntry& entry : errnoTable) {
        if (entry.errorNumber == errorNumber)
            return entry.error();
    }
    // EISDIR, ELOOP, ESTALE and the rest.
    return errors::pathFileAccess();
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
