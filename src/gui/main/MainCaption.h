#pragma once

#include <QString>

namespace quillet {

// The main window's caption with no contacts file open.
QString startupCaption();
// The caption while a file is open: "Quillet  [" + title + "]".
QString fileCaption(const QString& fileTitle);

} // namespace quillet
