#pragma once

#include <QStringList>

namespace quillet::cli {

// Runs the command line after the program name: the program's own options
// (-h/--help, -v/--version, help [VERB]) or a verb with its options and arguments,
// parsed against the verb's declaration. Returns the exit status (see console).
int runCommandLine(QStringList args);

} // namespace quillet::cli
