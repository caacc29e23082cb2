#include "core/common/SaveFiles.h"

#include "core/common/FileErrors.h"

#include <QSaveFile>

namespace quillet {

Status flushSaveFile(QSaveFile& file)
{
    if (file.flush() && file.error() == QFileDevice::NoError)
        return {};
    const AppError error = file.error() == QFileDevice::NoError ? errors::diskFull() : errorFromFileDevice(file);
    file.cancelWriting();
    return error;
}

Status commitSaveFile(QSaveFile& file)
{
    if (Status flushed = flushSaveFile(file); !flushed)
        return flushed;
    if (!file.commit())
        return errorFromFileDevice(file);
    return {};
}

} // namespace quillet
