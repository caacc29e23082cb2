#include "cli/PrintOutput.h"
#include "cli/Verb.h"

#include "core/printing/ReturnAddress.h"

#include <QTextStream>

namespace quillet::cli {

namespace {

const QString verbName = QStringLiteral("return-address");

int runReturnAddress(const QStringList& args)
{
    PrintOutput output;
    output.acceptOffset();
    QStringList lines;
    QString error;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size() && error.isEmpty();) {
        if (!optionsEnded && args[i] == QLatin1String("--")) {
            optionsEnded = true;
            ++i;
        } else if (!optionsEnded && args[i].startsWith(QLatin1String("--"))) {
            if (!output.take(args, i, error))
                error = QStringLiteral("unknown option ") + args[i];
        } else {
            lines << args[i++];
        }
    }
    if (error.isEmpty() && lines.size() > 5)
        error = QStringLiteral("at most five lines can be given");
    if (error.isEmpty())
        error = output.validate();
    if (!error.isEmpty())
        return reportUsageError(verbName, error);

    // Lines 4 and 5, when given, meet the same check as in the window.
    std::array<QString, 5> typed;
    for (qsizetype i = 0; i < lines.size(); ++i)
        typed[std::size_t(i)] = lines[i];
    if (auto rejection = returnaddress::check(typed))
        return reportRejection(*rejection);
    if (const std::optional<LongLines> found = returnaddress::findLongLines(typed))
        QTextStream(stderr) << longLinesWarning(*found) << '\n';
    return output.run([&typed](const PrintChoice& choice, PrintTarget& target) {
        return returnaddress::print(typed, choice, target);
    });
}

const QString help = QStringLiteral(
    "Usage: quillet-cli return-address [--copies K] [--offset X,Y] (--printer NAME | --pdf FILE | --grid) LINE1 LINE2 "
    "LINE3\n"
    "Prints a sheet of 80 return-address labels (Avery 18167, 4 across and 20 down), each with the three\n"
    "lines, in Courier New 8 points. An empty line prints as an empty line.\n\n");

VerbRegistration registration{Verb{verbName, QStringLiteral("Print a sheet of 80 return-address labels"),
                                   help + PrintOutput::helpText() + PrintOutput::offsetHelpText(), runReturnAddress}};

} // namespace
} // namespace quillet::cli
