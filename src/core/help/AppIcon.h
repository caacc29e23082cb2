#pragma once

#include <QIcon>

namespace quillet {

// The program's icon (an envelope and a quill), for its windows and the About window.
QIcon applicationIcon();

} // namespace quillet
