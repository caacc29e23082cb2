#pragma once

#include <QStringList>

#include <functional>

class QWidget;

namespace quillet {

// What a contact window opened from the list reports back, so the list can refill.
struct ContactEdits
{
    std::function<void(int recordNumber)> saved;
    std::function<void(int recordNumber)> deleted;
};

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
    // The list's Open Contact: a new contact window over `list` with this record
    // chosen. It shows `list` again when it closes and reports saves and deletions.
    // Null when no contact window can be opened.
    virtual QWidget* openContactOver(QWidget* list, int recordNumber, const ContactEdits& changes) = 0;
};

} // namespace quillet
