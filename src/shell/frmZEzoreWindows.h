#pragma once

namespace quillet {

class frmZEzore;

// Connects the main window's contact commands to the windows that carry them out:
// Add Contact, the Contact Information window, the list, import and export.
void registerContactWindows(frmZEzore& mainWindow);

} // namespace quillet
