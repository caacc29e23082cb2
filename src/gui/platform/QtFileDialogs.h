#pragma once

#include "gui/platform/FileDialogMemory.h"
#include "ports/FileDialogs.h"

namespace quillet {

// The file dialogs. Each dialog of the program offers the file chosen in it last
// time again (FileDialogMemory).
class QtFileDialogs : public FileDialogs
{
public:
    FileChoice chooseFile(const FileDialogRequest& request) override;

private:
    FileDialogMemory m_memory;
};

} // namespace quillet
