#pragma once

namespace quillet {

class MainWindow;

// Connects the main window to the windows it opens but may not know: Add Contact,
// the Contact Information window, the list (and the contact it opens), import,
// export and About. Only the program's wiring sees every window.
void wireWindows(MainWindow& mainWindow);

} // namespace quillet
