#pragma once

#include "ports/AddressBookServer.h"
#include "ports/Desktop.h"
#include "ports/FileDialogs.h"
#include "ports/LabelDialogs.h"
#include "ports/PasswordStore.h"
#include "ports/PrintDialog.h"
#include "ports/PrintTarget.h"
#include "ports/Prompter.h"

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
    // Address book servers and the secret store; a window offers what they do
    // only when they are given.
    AddressBookServer* addressBooks = nullptr;
    PasswordStore* passwords = nullptr;
};

} // namespace quillet
