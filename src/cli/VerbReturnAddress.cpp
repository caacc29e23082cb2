#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/PrintOutput.h"
#include "cli/Verb.h"
#include "core/printing/ReturnAddress.h"

namespace quillet::cli {
namespace {

int runReturnAddress(const QCommandLineParser& args)
{
    const Result<PrintOutput> output = PrintOutput::fromArgs(args, PrintOutput::Offset::Accepted);
    if (!output)
        return usageError(output.error());
    // Lines 4 and 5, when given, meet the same check as in the window.
    std::array<QString, 5> typed;
    const QStringList lines = args.positionalArguments();
    for (qsizetype i = 0; i < lines.size(); ++i)
        typed[std::size_t(i)] = lines[i];
    if (auto rejection = returnaddress::check(typed))
        return reportRejection(*rejection);
    // A warning, not a refusal: the job prints as the window's "Print anyway" would.
    if (const std::optional<LongLines> found = returnaddress::findLongLines(typed))
        console::error(longLinesWarning(*found));
    return output->run([&typed](const PrintChoice& choice, PrintTarget& target) {
        return returnaddress::print(typed, choice, target);
    });
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("return-address"),
    .synopsis = QStringLiteral("Print a sheet of 80 return-address labels"),
    .usage = QStringLiteral("[--copies K] [--offset X,Y] (--printer NAME | --pdf FILE | --grid) LINE1 LINE2 LINE3"),
    .description =
        QStringLiteral("Prints a sheet of 80 return-address labels (Avery 18167, 4 across and 20 down), each\n"
                       "with the three lines, in Courier New 8 points. An empty line prints as an empty line.\n"),
    .options = PrintOutput::options(PrintOutput::Offset::Accepted),
    .arguments = {},
    .maxArguments = 5,
    .tooManyArguments = "at most five lines can be given",
    .run = runReturnAddress,
}};

} // namespace
} // namespace quillet::cli
