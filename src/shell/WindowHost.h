#pragma once

#include <QStringList>

namespace quillet {

// What the other windows may ask of the main window. The main window implements
// it; window tests pass a small fake. Windows never reach into the main window's
// widgets directly.
class WindowHost
{
public:
    virtual ~WindowHost() = default;

    // Shows the main window again and puts the focus on its first label line.
    virtual void returnToMainWindow() = 0;
    // Ends the program with the main window's shutdown steps (File > Exit in the
    // import and export windows).
    virtual void quitProgram() = 0;
    // Opens the About window beside whichever window asked.
    virtual void showAbout() = 0;
    // Print Label of the contact window: shows the main window with its focus on the
    // first label line, Bold unticked and hidden, and the five label lines set to
    // `lines` (missing ones empty). A host without label lines ignores it.
    virtual void fillLabelLines(const QStringList& lines) { Q_UNUSED(lines); }
};

} // namespace quillet
