#pragma once

namespace quillet {

class MainWindow;

// Connects the main window's contact commands to the windows that carry them out:
// Add Contact, the Contact Information window, the list, import and export.
void registerContactWindows(MainWindow& mainWindow);

} // namespace quillet
