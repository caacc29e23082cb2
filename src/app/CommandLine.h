#pragma once

#include <QString>
#include <QStringList>

namespace quillet {

// What `quillet [FILE]` was started with.
struct CommandLine
{
    QString file;    // a contacts file to open, as given; empty: none
    QString message; // --help or --version text, or what was wrong; empty to start
    bool failed = false;
};

// Reads the program's arguments (the program's name first); --help and
// --version are answered in `message`, an unknown option fails.
CommandLine readCommandLine(const QStringList& arguments);

} // namespace quillet
