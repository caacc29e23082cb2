#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/PrintOutput.h"
#include "cli/Verb.h"
#include "core/printing/EnvelopeSizes.h"
#include "core/printing/PrintOptionsChoice.h"
#include "core/printing/TypedLines.h"

#include <variant>

namespace quillet::cli {
namespace {

constexpr QLatin1String labelName("label");
constexpr QLatin1String envelopeName("envelope");
constexpr QLatin1String portraitName("portrait");
constexpr QLatin1String landscapeName("landscape");
constexpr QLatin1String leftName("left-justified");
constexpr QLatin1String centeredName("centered");
constexpr QLatin1String boldName("bold");
constexpr QLatin1String indentsName("indents");
constexpr QLatin1String padRowsName("pad-rows");

// The choices that cannot go together, and an envelope size that is none.
QString usageProblemOf(const QCommandLineParser& args)
{
    if (args.isSet(labelName) && args.isSet(envelopeName))
        return QStringLiteral("give either --label or --envelope, not both");
    if (args.isSet(portraitName) && args.isSet(landscapeName))
        return QStringLiteral("give either --portrait or --landscape, not both");
    if (args.isSet(leftName) && args.isSet(centeredName))
        return QStringLiteral("give either --left-justified or --centered, not both");
    if (args.isSet(envelopeName) && envelopes::sizeNoFromText(args.value(envelopeName)) == 0)
        return QStringLiteral("--envelope takes a size from 1 to 7, not '%1'").arg(args.value(envelopeName));
    return {};
}

// The medium as the window's choices make it: "Label stock" and the position box's
// answer, or "Envelope" and a size from its list. Each choice presets the margins;
// the margins they leave, or the position box's refusal.
std::variant<GridMargins, PrintRejection> chooseMedium(const QCommandLineParser& args, PrintOptionsChoice& choice,
                                                       GridMargins margins)
{
    if (args.isSet(labelName)) {
        margins = choice.beginLabelStock();
        const labelposition::Answer answer = choice.answerPosition(args.value(labelName));
        if (answer.outcome == labelposition::Outcome::AskAgain)
            return PrintRejection{answer.message, answer.messageTitle};
        return answer.margins.value_or(margins);
    }
    if (args.isSet(envelopeName)) {
        margins = choice.chooseEnvelope().value_or(margins);
        return choice.chooseEnvelopeSize(envelopes::sizeNoFromText(args.value(envelopeName)) - 1).value_or(margins);
    }
    return margins;
}

// Plays the options as the window's choices: the medium, then the orientation where
// it differs (Portrait resets the margins), then Bold where the window shows it, then
// hand-edited margins. A position the box would ask again for is the rejection.
std::variant<TypedLinesRequest, PrintRejection> requestFromArgs(const QCommandLineParser& args)
{
    PrintOptionsChoice choice;
    const auto medium = chooseMedium(args, choice, choice.start());
    if (const auto* rejection = std::get_if<PrintRejection>(&medium))
        return *rejection;
    GridMargins margins = std::get<GridMargins>(medium);
    if (args.isSet(portraitName) && choice.state().orientation != PageOrientation::Portrait)
        margins = choice.choosePortrait();
    if (args.isSet(landscapeName) && choice.state().orientation != PageOrientation::Landscape)
        choice.chooseLandscape();
    choice.setBold(args.isSet(boldName) && choice.state().boldShown);
    const PrintOptionsState& state = choice.state();
    TypedLinesRequest request;
    request.media = state.media;
    request.envelopeSizeNo = state.envelopeSizeNo;
    request.orientation = state.orientation;
    request.bold = state.bold;
    request.alignment = args.isSet(centeredName) ? LineAlignment::Centered : LineAlignment::LeftJustified;
    request.leftPadText = args.isSet(indentsName) ? args.value(indentsName) : margins.indentsText();
    request.topPadText = args.isSet(padRowsName) ? args.value(padRowsName) : margins.padRowsText();
    const QStringList lines = args.positionalArguments();
    for (qsizetype i = 0; i < lines.size(); ++i)
        request.lines[std::size_t(i)] = lines[i];
    return request;
}

int runPrintLines(const QCommandLineParser& args)
{
    if (const QString problem = usageProblemOf(args); !problem.isEmpty())
        return console::usageError(problem);
    const Result<PrintOutput> output = PrintOutput::fromArgs(args, PrintOutput::Offset::Accepted);
    if (!output)
        return usageError(output.error());
    const auto played = requestFromArgs(args);
    if (const auto* rejection = std::get_if<PrintRejection>(&played))
        return reportRejection(*rejection);
    const TypedLinesRequest& request = std::get<TypedLinesRequest>(played);
    if (auto rejection = checkTypedLines(request))
        return reportRejection(*rejection);
    // A warning, not a refusal: the job prints as the window's "Print anyway" would.
    if (const std::optional<LongLines> found = findLongTypedLines(request))
        console::error(longLinesWarning(*found));
    return output->run([&request](const PrintChoice& choice, PrintTarget& target) {
        return printTypedLines(request, choice, target);
    });
}

QString envelopeSizesHelp()
{
    QString sizes = QStringLiteral("envelope size 1 to 7 (landscape, with that size's preset margins):");
    const QStringList& names = envelopes::sizeNames();
    for (qsizetype i = 0; i < names.size(); ++i)
        sizes += QStringLiteral("\n  %1  %2").arg(i + 1).arg(names[i]);
    return sizes;
}

QList<QCommandLineOption> printLinesOptions()
{
    return QList<QCommandLineOption>{
               {{QStringLiteral("l"), labelName},
                QStringLiteral("label position 1 to 30, checked as the position box checks it"),
                QStringLiteral("N")},
               {{QStringLiteral("e"), envelopeName}, envelopeSizesHelp(), QStringLiteral("SIZE")},
               {portraitName, QStringLiteral("portrait; choosing it resets the margins to 2 and 3")},
               {landscapeName, QStringLiteral("landscape")},
               {leftName, QStringLiteral("left-justified lines (the default)")},
               {centeredName, QStringLiteral("centred lines (on a label 30 columns wide)")},
               {{QStringLiteral("b"), boldName}, QStringLiteral("bold type (envelopes only)")},
               {indentsName, QStringLiteral("left margin in character columns, as typed in the field"),
                QStringLiteral("L")},
               {padRowsName, QStringLiteral("top margin in text lines, as typed in the field"), QStringLiteral("T")}} +
           PrintOutput::options(PrintOutput::Offset::Accepted);
}

const VerbRegistration registration{Verb{
    .name = QStringLiteral("print-lines"),
    .synopsis = QStringLiteral("Print typed lines on a label or an envelope"),
    .usage =
        QStringLiteral("[--label N | --envelope SIZE] [--portrait|--landscape]\n"
                       "         [--left-justified|--centered] [--bold] [--indents L] [--pad-rows T] [--copies K]\n"
                       "         [--offset X,Y] (--printer NAME | --pdf FILE | --grid) LINE1 [LINE2 ... LINE5]"),
    .description = QStringLiteral("Prints up to five typed lines on one label of a 30-label sheet or on an envelope,\n"
                                  "with the presets, checks and messages of the main window. Use -- before lines\n"
                                  "that begin with \"-\".\n"),
    .options = printLinesOptions(),
    .arguments = {},
    .maxArguments = 5,
    .tooManyArguments = "at most five lines can be printed",
    .run = runPrintLines,
}};

} // namespace
} // namespace quillet::cli
