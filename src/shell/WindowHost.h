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

    // The five typed label lines (quick add parses them).
    virtual QStringList labelLines() const = 0;
    // Print Label from the contact window: fills the five lines, unchecks and hides
    // Bold, and shows the main window with the focus on line 1.
    virtual void fillLabelLines(const QStringList& lines) = 0;
    // The list's hand-over: shows the contact window with this record chosen.
    virtual void openContactWindow(int recordNumber) = 0;
};

} // namespace quillet
