#include "cli/PrintOutput.h"
#include "cli/Verb.h"

#include "core/printing/EnvelopeSizes.h"
#include "core/printing/LabelPositionEntry.h"
#include "core/printing/TypedLines.h"

#include <QTextStream>

#include <optional>

namespace quillet::cli {

namespace {

const QString verbName = QStringLiteral("print-lines");

// The options as the user gave them, before they are played as window choices.
struct PrintLinesOptions
{
    std::optional<QString> labelAnswer;
    std::optional<QString> envelopeSize;
    std::optional<PageOrientation> orientation;
    LineAlignment alignment = LineAlignment::LeftJustified;
    bool bold = false;
    std::optional<QString> indents;
    std::optional<QString> padRows;
    QStringList lines;
    PrintOutput output;
};

bool takeOption(const QStringList& args, qsizetype& i, PrintLinesOptions& options, QString& error)
{
    const QString arg = args[i];
    const auto value = [&](std::optional<QString>& into) {
        if (i + 1 >= args.size())
            error = arg + QStringLiteral(" needs a value");
        else
            into = args[i + 1];
        i += 2;
        return true;
    };
    if (arg == QLatin1String("--label"))
        return value(options.labelAnswer);
    if (arg == QLatin1String("--envelope"))
        return value(options.envelopeSize);
    if (arg == QLatin1String("--indents"))
        return value(options.indents);
    if (arg == QLatin1String("--pad-rows"))
        return value(options.padRows);
    if (arg == QLatin1String("--portrait") || arg == QLatin1String("--landscape"))
        options.orientation =
            arg == QLatin1String("--portrait") ? PageOrientation::Portrait : PageOrientation::Landscape;
    else if (arg == QLatin1String("--left-justified") || arg == QLatin1String("--centered"))
        options.alignment = arg == QLatin1String("--centered") ? LineAlignment::Centered : LineAlignment::LeftJustified;
    else if (arg == QLatin1String("--bold"))
        options.bold = true;
    else
        return options.output.take(args, i, error);
    ++i;
    return true;
}

QString parse(const QStringList& args, PrintLinesOptions& options)
{
    QString error;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size() && error.isEmpty();) {
        if (!optionsEnded && args[i] == QLatin1String("--")) {
            optionsEnded = true;
            ++i;
        } else if (!optionsEnded && args[i].startsWith(QLatin1String("--"))) {
            if (!takeOption(args, i, options, error))
                error = QStringLiteral("unknown option ") + args[i];
        } else {
            options.lines << args[i++];
        }
    }
    if (!error.isEmpty())
        return error;
    if (options.labelAnswer && options.envelopeSize)
        return QStringLiteral("give either --label or --envelope, not both");
    if (options.envelopeSize && envelopes::sizeNoFromText(*options.envelopeSize) == 0)
        return QStringLiteral("--envelope needs a size from 1 to 7");
    if (options.lines.size() > 5)
        return QStringLiteral("at most five lines can be printed");
    return options.output.validate();
}

// Plays the options as the window's choices would be made: the media (with its
// presets), then the orientation where it differs (Portrait resets the margins to
// "2" and "3", as the option does), then hand-edited margins. Returns the
// rejection of a label position the input box would not accept.
std::optional<PrintRejection> buildRequest(const PrintLinesOptions& options, TypedLinesRequest& request)
{
    if (options.labelAnswer) {
        const labelposition::Answer answer = labelposition::checkAnswer(*options.labelAnswer);
        if (answer.outcome == labelposition::Outcome::AskAgain)
            return PrintRejection{answer.message, answer.messageTitle};
        if (answer.outcome == labelposition::Outcome::Accepted) {
            request.media = PrintMedia::Label;
            request.leftPadText = answer.margins->indentsText();
            request.topPadText = answer.margins->padRowsText();
        }
    } else if (options.envelopeSize) {
        const int sizeNo = envelopes::sizeNoFromText(*options.envelopeSize);
        const GridMargins preset = *envelopes::presetOnChoosingSize(sizeNo);
        request.media = PrintMedia::Envelope;
        request.envelopeSizeNo = QString::number(sizeNo);
        request.orientation = PageOrientation::Landscape;
        request.leftPadText = preset.indentsText();
        request.topPadText = preset.padRowsText();
    }
    if (options.orientation && *options.orientation != request.orientation) {
        request.orientation = *options.orientation;
        if (request.orientation == PageOrientation::Portrait) {
            request.leftPadText = defaultMargins.indentsText();
            request.topPadText = defaultMargins.padRowsText();
        }
    }
    request.alignment = options.alignment;
    request.bold = options.bold;
    request.leftPadText = options.indents.value_or(request.leftPadText);
    request.topPadText = options.padRows.value_or(request.topPadText);
    for (qsizetype i = 0; i < options.lines.size(); ++i)
        request.lines[std::size_t(i)] = options.lines[i];
    return std::nullopt;
}

int runPrintLines(const QStringList& args)
{
    PrintLinesOptions options;
    options.output.acceptOffset();
    const QString error = parse(args, options);
    if (!error.isEmpty())
        return reportUsageError(verbName, error);
    TypedLinesRequest request;
    if (auto rejection = buildRequest(options, request))
        return reportRejection(*rejection);
    if (auto rejection = checkTypedLines(request))
        return reportRejection(*rejection);
    if (const std::optional<LongLines> found = findLongTypedLines(request))
        QTextStream(stderr) << longLinesWarning(*found) << '\n';
    return options.output.run([&request](const PrintChoice& choice, PrintTarget& target) {
        return printTypedLines(request, choice, target);
    });
}

QString help()
{
    return QStringLiteral("Usage: quillet-cli print-lines [--label N | --envelope SIZE] [--portrait|--landscape]\n"
                          "         [--left-justified|--centered] [--bold] [--indents L] [--pad-rows T] [--copies K]\n"
                          "         [--offset X,Y] (--printer NAME | --pdf FILE | --grid) LINE1 [LINE2 ... LINE5]\n"
                          "Prints up to five typed lines on one label of a 30-label sheet or on an envelope,\n"
                          "with the presets, checks and messages of the main window.\n\n"
                          "  --label N        label position 1 to 30, checked as the position box checks it\n"
                          "  --envelope SIZE  envelope size 1 to 7 (landscape, with that size's preset margins):\n") +
           [] {
               QString sizes;
               const QStringList& names = envelopes::sizeNames();
               for (qsizetype i = 0; i < names.size(); ++i)
                   sizes += QStringLiteral("                     %1  %2\n").arg(i + 1).arg(names[i]);
               return sizes;
           }() +
           QStringLiteral("  --portrait, --landscape  orientation; choosing Portrait resets the margins to 2 and 3\n"
                          "  --left-justified, --centered  alignment (centred on a label 30 columns wide)\n"
                          "  --bold           bold type (envelopes only)\n"
                          "  --indents L      left margin in character columns, as typed in the field\n"
                          "  --pad-rows T     top margin in text lines, as typed in the field\n") +
           PrintOutput::helpText() + PrintOutput::offsetHelpText() +
           QStringLiteral("Use -- before lines that begin with \"--\".\n");
}

VerbRegistration registration{
    Verb{verbName, QStringLiteral("Print typed lines on a label or an envelope"), help(), runPrintLines}};

} // namespace
} // namespace quillet::cli
