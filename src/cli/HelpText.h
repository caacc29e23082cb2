#pragma once

#include <QCommandLineOption>
#include <QString>

namespace quillet::cli {

struct Verb;

// -h/--help and -v/--version, which every verb takes as well as the program.
const QCommandLineOption& helpOption();
const QCommandLineOption& versionOption();

// "quillet-cli 4.6.0"
QString versionText();
// `quillet-cli --help`: the verbs, the common options, the streams and exit statuses.
QString overviewText();
// `quillet-cli help VERB`, `quillet-cli VERB --help`: generated from the verb's
// declaration, its options with their value names and descriptions.
QString verbHelpText(const Verb& verb);

} // namespace quillet::cli
