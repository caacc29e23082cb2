#include "app/CommandLine.h"

#include "core/help/Help.h"

#include <QCommandLineParser>

namespace quillet {

CommandLine readCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Prints labels and envelopes, and keeps an address book."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A contacts file (.DAT) to open."),
                                 QStringLiteral("[FILE]"));
    CommandLine read;
    if (!parser.parse(arguments)) {
        read.failed = true;
        read.message = parser.errorText();
    } else if (parser.isSet(help)) {
        read.message = parser.helpText();
    } else if (parser.isSet(version)) {
        read.message = about::programTitle + QLatin1Char(' ') + about::versionText();
    } else if (parser.positionalArguments().size() > 1) {
        read.failed = true;
        read.message = QStringLiteral("Give one contacts file at most.");
    } else if (!parser.positionalArguments().isEmpty()) {
        read.file = parser.positionalArguments().constFirst();
    }
    return read;
}

} // namespace quillet
