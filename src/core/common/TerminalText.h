#pragma once

#include <QString>
#include <QStringView>

namespace quillet {

// Text that came from a file, made safe to show on a terminal: every control
// character (U+0000 to U+001F and U+007F to U+009F) becomes "\xNN" and the backslash
// "\\", so that no byte of a contacts or import file can clear the screen, move the
// cursor or retitle the window, and the shown text still says what was there. A raw
// byte a file name carries (see NativePath) shows as "\xNN" too. Everything else
// stays, the Windows-1252 letters of bytes 0x80 to 0x9F (€, Š, “) among it: they
// decode to letters, not to controls.
QString terminalSafe(QStringView text);

} // namespace quillet
