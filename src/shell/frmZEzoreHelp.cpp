// The main window's help: the user manual, the web lookups and the About window.
#include "shell/frmZEzore.h"
#include "ui_frmZEzore.h"

namespace quillet {

void frmZEzore::showAbout()
{
    // Opens the About window once it exists in the help subsystem.
}

} // namespace quillet
