#pragma once

#include <QString>
#include <QStringList>

namespace quillet {

// Well-known Linux system-information programs, in the order they are preferred:
// dedicated hardware/system reports first, then the desktops' system monitors.
QStringList systemInfoToolNames();

// The full path of the first of `names` found on `searchPath` (the PATH folders),
// or an empty text when none is there.
QString findSystemInfoTool(const QStringList& names, const QStringList& searchPath);

// The same for the well-known tools and this process's PATH.
QString findSystemInfoTool();

} // namespace quillet
