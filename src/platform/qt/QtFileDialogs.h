#pragma once

#include "platform/FileDialogs.h"

namespace quillet {

// The file dialog. One object serves the whole run and, like the dialog it stands
// for, offers the name chosen last time again.
class QtFileDialogs : public FileDialogs
{
public:
    FileChoice chooseFile(const FileDialogRequest& request) override;

private:
    QString m_lastName;
};

} // namespace quillet
