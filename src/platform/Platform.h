#pragma once

#include "platform/Desktop.h"
#include "platform/FileDialogs.h"
#include "platform/LabelDialogs.h"
#include "platform/PrintDialog.h"
#include "platform/PrintTarget.h"
#include "platform/Prompter.h"

namespace quillet {

// The operating-system facilities a window uses, handed to every window. The
// program passes the Qt implementations; tests pass the scripted ones.
struct Platform
{
    Prompter& prompter;
    FileDialogs& fileDialogs;
    PrintDialog& printDialog;
    PrintTarget& printTarget;
    Desktop& desktop;
    LabelDialogs& labelDialogs;
};

} // namespace quillet
