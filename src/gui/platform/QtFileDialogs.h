#pragma once

#include "gui/platform/FileDialogMemory.h"
#include "ports/FileDialogs.h"

#include <functional>

class QDialog;

namespace quillet {

// The file dialogs. Each dialog of the program offers the file chosen in it last
// time again (FileDialogMemory).
class QtFileDialogs : public FileDialogs
{
public:
    // The program uses the desktop's own dialogs (and its portal in a sandbox);
    // tests use Qt's, whose controls they can reach.
    enum class Style { Desktop, QtOwn };
    // Runs the dialog until it is answered; the program runs it modally.
    using DialogRunner = std::function<int(QDialog&)>;
    explicit QtFileDialogs(Style style = Style::Desktop, DialogRunner run = {});

    FileChoice chooseFile(const FileDialogRequest& request) override;

private:
    Style m_style;
    DialogRunner m_run;
    FileDialogMemory m_memory;
};

} // namespace quillet
